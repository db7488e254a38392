// Fuzz target for search expressions: any text is parsed; a tree that parses is printed and
// evaluated on an empty and on a full record. Errors must be parser errors (with a position
// when parsing fails), and the predicate must agree with the evaluated value.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/track_record.h"
#include "search/evaluate.h"
#include "search/scanner_parser.h"

namespace {

using namespace tracklore;

void Check(bool condition) {
    if (!condition) std::abort();
}

TrackRecord FullRecord() {
    TrackRecord record;
    record.ID = 7;
    record.Volume = "MUSIC_1";
    record.Filename = "/Albums/Bj\xc3\xb6rk/J\xc3\xb3ga.mp3";
    record.Artist = "Bj\xc3\xb6rk";
    record.Title = "J\xc3\xb3ga";
    record.Album = "Homogenic";
    record.Comment = "ISTANBUL \xc4\xb0";
    record.Year = "1997";
    record.PlayLength = 305;
    record.Genre = 17;
    record.SampleRate = 44100;
    record.BitRate = 256;
    record.FileSize = 4294967295u;
    record.FileDate = 36000.5;
    return record;
}

void EvaluateOn(const TExpr& tree, const TrackRecord& record) {
    try {
        const auto value = tree.Evaluate(record);
        const bool expected = value->Kind() == TConstKind::Boolean && value->BooleanValue();
        Check(MatchesExpression(tree, record) == expected);
    } catch (const EParserError& error) {
        Check(error.what()[0] != '\0');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<TExpr> tree;
    try {
        tree = TScannerParser().Parse(text);
    } catch (const EParserError& error) {
        Check(error.what()[0] == '[');
        return 0;
    }
    Check(tree != nullptr);
    Check(!tree->Describe(0).empty());
    EvaluateOn(*tree, TrackRecord{});
    EvaluateOn(*tree, FullRecord());
    return 0;
}
