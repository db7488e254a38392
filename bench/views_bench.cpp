// Building the catalogue views over a full catalogue: the full rebuild of all three views,
// the tree's artist level for 5,000 artists, opening one artist, and column clicks on a
// full list.
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "bench/view_host.h"
#include "core/catalogue.h"
#include "platform/locale.h"
#include "ui/views.h"

namespace tracklore::bench {
namespace {

void BM_FullRebuild(benchmark::State& state) {
    TBenchHost host;
    ui::TViews views(host);
    for (auto _ : state)
        views.RefreshViews(ui::FullRebuild);
    state.SetItemsProcessed(state.iterations() * TTracklore::kSlotCount);
}
BENCHMARK(BM_FullRebuild)->Unit(benchmark::kMillisecond);

// The artist names and the tree's top level, as the full rebuild makes them.
void BM_TreeTopLevel5000Artists(benchmark::State& state) {
    TBenchHost host(5000);
    ui::TTreeView tree;
    size_t artists = 0;
    for (auto _ : state) {
        tree.BeginUpdate();
        tree.Clear();
        for (std::string& name : ui::TViews::ArtistNames(host.Catalogue()))
            tree.AddNode(nullptr, std::move(name), 0, -1)->HasChildren = true;
        tree.EndUpdate();
        artists = tree.Root().Children.size();
    }
    state.counters["artists"] = static_cast<double>(artists);
}
BENCHMARK(BM_TreeTopLevel5000Artists)->Unit(benchmark::kMillisecond);

// Opening one artist of a full catalogue of 5,000 artists: one pass over every record,
// comparing artists ignoring case.
void BM_ExpandArtist(benchmark::State& state) {
    TBenchHost host(5000);
    ui::TViews views(host);
    views.RefreshViews(ui::FullRebuild);
    ui::TTreeNode* artist = views.Tree().Root().Children.at(2500).get();
    size_t titles = 0;
    for (auto _ : state) {
        artist->Data = -1;  // not yet opened
        views.ExpandNode(artist);
        titles = artist->Children.size();
    }
    state.counters["titles"] = static_cast<double>(titles);
}
BENCHMARK(BM_ExpandArtist)->Unit(benchmark::kMillisecond);

// Clicks on one column of the full All list: ascending and descending in turn.
void ColumnClicks(benchmark::State& state, int column) {
    TBenchHost host;
    ui::TViews views(host);
    views.RefreshViews(ui::FullRebuild);
    ui::TListView& list = views.AllList();
    int direction = 1;
    for (auto _ : state) {
        list.SortRows(column * direction);
        direction = -direction;
    }
    state.SetItemsProcessed(state.iterations() * list.RowCount());
}

void BM_ColumnClickArtist(benchmark::State& state) {
    ColumnClicks(state, 3);
}
BENCHMARK(BM_ColumnClickArtist)->Unit(benchmark::kMillisecond);

void BM_ColumnClickTitle(benchmark::State& state) {
    ColumnClicks(state, 4);
}
BENCHMARK(BM_ColumnClickTitle)->Unit(benchmark::kMillisecond);

void BM_ColumnClickId(benchmark::State& state) {
    ColumnClicks(state, 1);
}
BENCHMARK(BM_ColumnClickId)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
