// A catalogue at the largest capacity, 1,048,576 realistic records: loading and saving its
// file, sorting, looking up identifiers, selecting, and its memory. Targets: load 1.2 s,
// save 2.5 s, sort by artist 1 s, sort by identifier in order 50 ms, a lookup 1 µs, a
// selection by template or expression 150 ms each, memory 450 MB.
#include <cstdlib>
#include <malloc.h>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/locale.h"
#include "search/evaluate.h"
#include "search/scanner_parser.h"

namespace tracklore::bench {
namespace {

constexpr int kRecords = TTracklore::kMaxCapacity;

// One catalogue of the sample records in identifier order, saved and opened again, made on
// first use and shared by every benchmark here (making it takes seconds).
class TMillion {
public:
    static TMillion& Get() {
        static TMillion million;
        return million;
    }
    TTracklore& Catalogue() { return catalogue_; }
    const std::string& File() const { return file_; }
    ~TMillion() { unlink(file_.c_str()); }

private:
    TMillion() {
        locale::SetLocale("en_US");
        for (TrackRecord& record : MakeSampleRecords(kRecords))
            catalogue_.Insert(record);
        const char* folder = std::getenv("TMPDIR");
        file_ = std::string(folder ? folder : "/tmp") + "/tracklore_million_" +
                std::to_string(getpid()) + ".tracklore";
        catalogue_.SaveToFile(file_);
        // Opened from its file, as the application has it: records of one album share texts.
        catalogue_.LoadFromFile(file_);
    }
    TTracklore catalogue_{nullptr, kRecords};
    std::string file_;
};

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Opening the file into an empty catalogue; releasing the catalogue is not timed.
void BM_MillionLoad(benchmark::State& state) {
    TMillion& million = TMillion::Get();
    int records = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto catalogue = std::make_unique<TTracklore>(nullptr, kRecords);
        state.ResumeTiming();
        catalogue->LoadFromFile(million.File());
        state.PauseTiming();
        records = catalogue->Count();
        catalogue.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = records;
}
BENCHMARK(BM_MillionLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

// Heap bytes of a catalogue loaded from its file: table, index, records and texts.
void BM_MillionMemory(benchmark::State& state) {
    TMillion& million = TMillion::Get();
    double megabytes = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        auto catalogue = std::make_unique<TTracklore>(nullptr, kRecords);
        catalogue->LoadFromFile(million.File());
        TrackRecord record;
        catalogue->GetByID(1, record);  // the identifier index is part of it
        megabytes = static_cast<double>(HeapInUse() - before) / (1024.0 * 1024.0);
    }
    state.counters["MB"] = megabytes;
}
BENCHMARK(BM_MillionMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MillionSave(benchmark::State& state) {
    TMillion& million = TMillion::Get();
    const std::string file = million.File() + ".saved";
    for (auto _ : state)
        million.Catalogue().SaveToFile(file);
    unlink(file.c_str());
}
BENCHMARK(BM_MillionSave)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_MillionSortByArtist(benchmark::State& state) {
    TTracklore& catalogue = TMillion::Get().Catalogue();
    for (auto _ : state) {
        state.PauseTiming();
        catalogue.SortBy(TrackField::ID);
        state.ResumeTiming();
        catalogue.SortBy(TrackField::Artist);
    }
    catalogue.SortBy(TrackField::ID);
}
BENCHMARK(BM_MillionSortByArtist)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_MillionSortByIdInOrder(benchmark::State& state) {
    TTracklore& catalogue = TMillion::Get().Catalogue();
    catalogue.SortBy(TrackField::ID);
    for (auto _ : state)
        catalogue.SortBy(TrackField::ID);
}
BENCHMARK(BM_MillionSortByIdInOrder)->Unit(benchmark::kMillisecond);

void BM_MillionGetByID(benchmark::State& state) {
    TTracklore& catalogue = TMillion::Get().Catalogue();
    TrackRecord record;
    catalogue.GetByID(1, record);  // builds the index outside the timing
    std::mt19937 random(3);
    std::uniform_int_distribution<int32_t> id(1, kRecords);
    for (auto _ : state) {
        catalogue.GetByID(id(random), record);
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_MillionGetByID)->Unit(benchmark::kNanosecond);

void BM_MillionSelectByTemplate(benchmark::State& state) {
    TTracklore& catalogue = TMillion::Get().Catalogue();
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    pattern.Artist = "beat";
    int found = 0;
    for (auto _ : state)
        found = catalogue.SelectByTemplate(pattern)->Count();
    state.counters["found"] = found;
}
BENCHMARK(BM_MillionSelectByTemplate)->Unit(benchmark::kMillisecond);

void BM_MillionQuery(benchmark::State& state) {
    TTracklore& catalogue = TMillion::Get().Catalogue();
    const auto tree = DoParsing("artist~=\"a\" AND (time>=180 AND time<=300) AND samplerate=44100");
    int found = 0;
    for (auto _ : state)
        found = SelectMatching(catalogue, *tree)->Count();
    state.counters["found"] = found;
}
BENCHMARK(BM_MillionQuery)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
