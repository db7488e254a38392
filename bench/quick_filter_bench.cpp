// The quick filter over a full All list (32,769 rows): the time of one keystroke, i.e. one
// pass of the filter over every row with the text typed so far.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "bench/view_host.h"
#include "core/catalogue.h"
#include "platform/locale.h"
#include "ui/quick_filter.h"
#include "ui/views.h"

namespace tracklore::bench {
namespace {

// What the user types, one keystroke at a time: two words of a real record, then again.
std::vector<std::string> Keystrokes(const ui::TListView& list) {
    const ui::TListRow& row = list.Row(list.RowCount() / 2);
    const std::string typed = row.Texts[2].substr(0, 6) + " " + row.Texts[3].substr(0, 4);
    std::vector<std::string> strokes;
    for (size_t length = 1; length <= typed.size(); ++length)
        strokes.push_back(typed.substr(0, length));
    return strokes;
}

void BM_QuickFilterKeystroke(benchmark::State& state) {
    TBenchHost host;
    ui::TViews views(host);
    views.RefreshViews(ui::FullRebuild);
    const std::vector<std::string> strokes = Keystrokes(views.AllList());
    ui::TQuickFilter filter;
    size_t next = 0;
    size_t shown = 0;
    for (auto _ : state) {
        filter.SetText(strokes[next]);
        next = (next + 1) % strokes.size();
        shown = filter.MatchingRows(views.AllList()).size();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["rows"] = views.AllList().RowCount();
    state.counters["shown_last"] = static_cast<double>(shown);
}
BENCHMARK(BM_QuickFilterKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
