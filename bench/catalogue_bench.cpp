// A full catalogue of realistic records: its memory, filling it, and selecting from it.
#include <malloc.h>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/locale.h"

namespace tracklore::bench {
namespace {

// Heap bytes the catalogue holds once the generated records are gone: its table, every
// record and every text (the catalogue then holds the texts' only references).
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and blocks mapped on their own
}

void BM_FullCatalogueMemory(benchmark::State& state) {
    double megabytes = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        auto catalogue = MakeFullCatalogue();
        const size_t after = HeapInUse();
        megabytes = static_cast<double>(after - before) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(catalogue.get());
    }
    state.counters["MB"] = megabytes;
}
BENCHMARK(BM_FullCatalogueMemory)->Unit(benchmark::kMillisecond);

void BM_SelectByTemplateArtist(benchmark::State& state) {
    locale::SetLocale("en_US");
    auto catalogue = MakeFullCatalogue();
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    pattern.Artist = "beat";
    int found = 0;
    for (auto _ : state) {
        auto selection = catalogue->SelectByTemplate(pattern);
        found = selection->Count();
    }
    state.counters["found"] = found;
    state.SetItemsProcessed(state.iterations() * TTracklore::kSlotCount);
}
BENCHMARK(BM_SelectByTemplateArtist)->Unit(benchmark::kMillisecond);

void BM_SelectByTemplateAll(benchmark::State& state) {
    auto catalogue = MakeFullCatalogue();
    TrackRecord pattern;
    pattern.ID = kEndID;
    for (auto _ : state)
        benchmark::DoNotOptimize(catalogue->SelectByTemplate(pattern));
    state.SetItemsProcessed(state.iterations() * TTracklore::kSlotCount);
}
BENCHMARK(BM_SelectByTemplateAll)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
