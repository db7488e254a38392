// The duplicate finder over a full catalogue (32,769 records), both rules and each alone.
#include <cstdint>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/locale.h"
#include "search/duplicates.h"

namespace tracklore::bench {
namespace {

// A full catalogue in which every 20th record repeats an earlier one's tags (a second
// rip, one second longer) and every 50th an earlier one's file.
std::unique_ptr<TTracklore> CatalogueWithRepeats() {
    auto catalogue = std::make_unique<TTracklore>();
    std::vector<TrackRecord> records = MakeSampleRecords(TTracklore::kSlotCount);
    for (size_t i = 1000; i < records.size(); ++i) {
        const TrackRecord& earlier = records[i - 997];
        if (i % 20 == 0) {
            records[i].Artist = earlier.Artist;
            records[i].Title = earlier.Title;
            records[i].PlayLength = static_cast<uint16_t>(earlier.PlayLength + 1);
        } else if (i % 50 == 1) {
            records[i].FileSize = earlier.FileSize;
            records[i].PlayLength = earlier.PlayLength;
        }
    }
    for (TrackRecord& record : records)
        catalogue->Insert(record);
    return catalogue;
}

void RunFind(benchmark::State& state, TDuplicateRules rules) {
    locale::SetLocale("en_US");
    const auto catalogue = CatalogueWithRepeats();
    size_t groups = 0;
    for (auto _ : state) {
        groups = FindDuplicates(*catalogue, rules).size();
        benchmark::DoNotOptimize(groups);
    }
    state.counters["groups"] = static_cast<double>(groups);
    state.counters["records"] = catalogue->Count();
}

void BM_FindDuplicatesBothRules(benchmark::State& state) {
    RunFind(state, {true, true});
}
BENCHMARK(BM_FindDuplicatesBothRules)->Unit(benchmark::kMillisecond);

void BM_FindDuplicatesArtistTitle(benchmark::State& state) {
    RunFind(state, {true, false});
}
BENCHMARK(BM_FindDuplicatesArtistTitle)->Unit(benchmark::kMillisecond);

void BM_FindDuplicatesSizeLength(benchmark::State& state) {
    RunFind(state, {false, true});
}
BENCHMARK(BM_FindDuplicatesSizeLength)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
