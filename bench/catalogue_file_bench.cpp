// Saving and loading a full catalogue of realistic records (32,769) in the catalogue format
// and as CSV. Targets: save under 200 ms, load, export and import under 100 ms each.
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"

namespace tracklore::bench {
namespace {

// A scratch file name in the temporary folder, removed when the benchmark ends.
class TScratchName {
public:
    explicit TScratchName(const char* extension) {
        const char* folder = std::getenv("TMPDIR");
        name_ = std::string(folder ? folder : "/tmp") + "/tracklore_file_bench_" +
                std::to_string(getpid()) + extension;
    }
    ~TScratchName() { unlink(name_.c_str()); }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

std::unique_ptr<TTracklore> FullCatalogue() {
    auto catalogue = std::make_unique<TTracklore>();
    for (const TrackRecord& record : MakeSampleRecords(TTracklore::kSlotCount))
        catalogue->InsertAsStored(record);
    return catalogue;
}

void BM_SaveToFile(benchmark::State& state) {
    TScratchName file(".tracklore");
    auto catalogue = FullCatalogue();
    for (auto _ : state)
        catalogue->SaveToFile(file.Name());
    state.counters["records"] = catalogue->Count();
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    TScratchName file(".tracklore");
    FullCatalogue()->SaveToFile(file.Name());
    TTracklore catalogue;
    for (auto _ : state)
        catalogue.LoadFromFile(file.Name());
    state.counters["records"] = catalogue.Count();
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

void BM_ExportCSV(benchmark::State& state) {
    TScratchName file(".csv");
    auto catalogue = FullCatalogue();
    for (auto _ : state)
        catalogue->ExportCSV(file.Name());
    state.counters["records"] = catalogue->Count();
}
BENCHMARK(BM_ExportCSV)->Unit(benchmark::kMillisecond);

void BM_ImportCSV(benchmark::State& state) {
    TScratchName file(".csv");
    FullCatalogue()->ExportCSV(file.Name());
    TTracklore catalogue;
    for (auto _ : state)
        catalogue.ImportCSV(file.Name());
    state.counters["records"] = catalogue.Count();
}
BENCHMARK(BM_ImportCSV)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
