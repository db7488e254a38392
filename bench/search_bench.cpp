// Search expressions: parsing a long query, and selecting from a full catalogue with one.
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/locale.h"
#include "search/evaluate.h"
#include "search/scanner_parser.h"

namespace tracklore::bench {
namespace {

void RunQuery(benchmark::State& state, const char* query) {
    locale::SetLocale("en_US");
    auto catalogue = MakeFullCatalogue();
    const auto tree = DoParsing(query);
    int found = 0;
    for (auto _ : state) {
        auto result = SelectMatching(*catalogue, *tree);
        found = result->Count();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
    state.counters["records"] = catalogue->Count();
}

// The advanced search's own example: a contains, two number ranges, an equality.
void BM_QueryContainsAndRanges(benchmark::State& state) {
    RunQuery(state, "artist~=\"a\" AND (time>=180 AND time<=300) AND samplerate=44100");
}
BENCHMARK(BM_QueryContainsAndRanges)->Unit(benchmark::kMillisecond);

// Collation on every record: the slow kind of string relation.
void BM_QueryCollatedRange(benchmark::State& state) {
    RunQuery(state, "artist>=\"M\" AND artist<\"N\" OR title==\"Intro\"");
}
BENCHMARK(BM_QueryCollatedRange)->Unit(benchmark::kMillisecond);

// A query of about 1,000 characters mixing every token kind.
std::string LongQuery() {
    const std::string piece =
        "(artist~=\"Beatles\" OR title==\"Let It Be\" XOR NOT time<=180) AND filesize>1.5 AND ";
    std::string query;
    while (query.size() + piece.size() < 1000)
        query += piece;
    return query + "samplerate==44100";
}

void BM_ParseThousandCharacters(benchmark::State& state) {
    locale::SetLocale("en_US");
    const std::string query = LongQuery();
    for (auto _ : state) {
        auto tree = TScannerParser().Parse(query);
        benchmark::DoNotOptimize(tree.get());
    }
    state.counters["chars"] = static_cast<double>(query.size());
}
BENCHMARK(BM_ParseThousandCharacters)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tracklore::bench
