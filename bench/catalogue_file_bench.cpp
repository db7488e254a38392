// Saving and loading a full catalogue of realistic records (32,769) in the catalogue format
// and as CSV. Targets: save under 200 ms, load, export and import under 100 ms each.
#include <string>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "bench/scratch_file.h"
#include "core/catalogue.h"

namespace tracklore::bench {
namespace {

using TFileOperation = void (*)(TTracklore& catalogue, const std::string& fileName);

void SaveToFile(TTracklore& catalogue, const std::string& fileName) {
    catalogue.SaveToFile(fileName);
}
void ExportCSV(TTracklore& catalogue, const std::string& fileName) {
    catalogue.ExportCSV(fileName);
}
void LoadFromFile(TTracklore& catalogue, const std::string& fileName) {
    catalogue.LoadFromFile(fileName);
}
void ImportCSV(TTracklore& catalogue, const std::string& fileName) {
    catalogue.ImportCSV(fileName);
}

// Writes a full catalogue with `write` into a file named with `extension`.
void BM_Write(benchmark::State& state, const char* extension, TFileOperation write) {
    TScratchFile file(extension);
    auto catalogue = MakeFullCatalogue();
    for (auto _ : state)
        write(*catalogue, file.Name());
    state.counters["records"] = catalogue->Count();
}
BENCHMARK_CAPTURE(BM_Write, SaveToFile, ".tracklore", &SaveToFile)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Write, ExportCSV, ".csv", &ExportCSV)->Unit(benchmark::kMillisecond);

// Reads with `read` the file that `write` made of a full catalogue.
void BM_Read(benchmark::State& state, const char* extension, TFileOperation write,
             TFileOperation read) {
    TScratchFile file(extension);
    write(*MakeFullCatalogue(), file.Name());
    TTracklore catalogue;
    for (auto _ : state)
        read(catalogue, file.Name());
    state.counters["records"] = catalogue.Count();
}
BENCHMARK_CAPTURE(BM_Read, LoadFromFile, ".tracklore", &SaveToFile, &LoadFromFile)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, ImportCSV, ".csv", &ExportCSV, &ImportCSV)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
