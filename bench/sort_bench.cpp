// Sorting a full catalogue of realistic records: by artist (many equal keys in album runs),
// by ID when already in ID order (every full view rebuild does this), and by genre.
#include <memory>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/locale.h"

namespace tracklore::bench {
namespace {

// A full catalogue, sorted by the rules of one locale.
std::unique_ptr<TTracklore> FullCatalogue() {
    locale::SetLocale("en_US");
    return MakeFullCatalogue();
}

// Sorts by `key` starting each time from ID order.
void SortFromIdOrder(benchmark::State& state, TrackField key) {
    auto catalogue = FullCatalogue();
    for (auto _ : state) {
        state.PauseTiming();
        catalogue->SortBy(TrackField::ID);
        state.ResumeTiming();
        catalogue->SortBy(key);
    }
    state.SetItemsProcessed(state.iterations() * TTracklore::kSlotCount);
}

void BM_SortByArtist(benchmark::State& state) {
    SortFromIdOrder(state, TrackField::Artist);
}
BENCHMARK(BM_SortByArtist)->Unit(benchmark::kMillisecond);

void BM_SortByGenre(benchmark::State& state) {
    SortFromIdOrder(state, TrackField::Genre);
}
BENCHMARK(BM_SortByGenre)->Unit(benchmark::kMillisecond);

void BM_SortByTitle(benchmark::State& state) {
    SortFromIdOrder(state, TrackField::Title);
}
BENCHMARK(BM_SortByTitle)->Unit(benchmark::kMillisecond);

// Sorting again by a key the catalogue is already ordered by, equal keys in runs.
void BM_SortByArtistAgain(benchmark::State& state) {
    auto catalogue = FullCatalogue();
    catalogue->SortBy(TrackField::Artist);
    for (auto _ : state)
        catalogue->SortBy(TrackField::Artist);
    state.SetItemsProcessed(state.iterations() * TTracklore::kSlotCount);
}
BENCHMARK(BM_SortByArtistAgain)->Unit(benchmark::kMillisecond);

void BM_SortByIdAlreadyInOrder(benchmark::State& state) {
    auto catalogue = FullCatalogue();
    for (auto _ : state)
        catalogue->SortBy(TrackField::ID);
    state.SetItemsProcessed(state.iterations() * TTracklore::kSlotCount);
}
BENCHMARK(BM_SortByIdAlreadyInOrder)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
