// The result window's rows over a full catalogue: filling them and sorting by a text column.
#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "search/select_form.h"

namespace tracklore {
namespace {

TTracklore& FullCatalogue() {
    static const std::unique_ptr<TTracklore> catalogue = bench::MakeFullCatalogue();
    return *catalogue;
}

void BM_SelectFormFill(benchmark::State& state) {
    TTracklore& catalogue = FullCatalogue();
    for (auto _ : state) {
        TSelectForm form(catalogue);
        benchmark::DoNotOptimize(form.RowCount());
    }
}
BENCHMARK(BM_SelectFormFill)->Unit(benchmark::kMillisecond);

void BM_SelectFormSortByArtist(benchmark::State& state) {
    TSelectForm form(FullCatalogue());
    for (auto _ : state)
        form.ColumnClick(2);
}
BENCHMARK(BM_SelectFormSortByArtist)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore
