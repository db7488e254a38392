// The volumes model over a full catalogue (32,769 records): one row per volume label.
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/locale.h"
#include "ui/volumes.h"

namespace tracklore::bench {
namespace {

void BM_BuildVolumeRows(benchmark::State& state) {
    locale::SetLocale("en_US");
    auto catalogue = MakeFullCatalogue();
    std::vector<platform::DriveEntry> drives(3);
    drives[0].Letter = 'c';
    drives[0].Root = "/";
    drives[0].Label = "SYSTEM";
    drives[1].Letter = 'd';
    drives[1].Root = "/media/cd";
    drives[1].Label = catalogue->SlotRecord(0)->Volume.str();
    drives[2].Letter = 'e';
    drives[2].Root = "/srv/music";
    drives[2].Label = "ARCHIVE";
    size_t rows = 0;
    for (auto _ : state) {
        rows = ui::BuildVolumeRows(*catalogue, drives).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["volumes"] = static_cast<double>(rows);
    state.counters["records"] = catalogue->Count();
}
BENCHMARK(BM_BuildVolumeRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
