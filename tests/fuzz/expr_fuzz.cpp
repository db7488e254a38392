// Fuzz target for search expressions: any text is parsed; a tree that parses is printed and
// evaluated on an empty and on a full record. Parse errors must carry a position inside the
// text, evaluation errors one of the evaluation messages, and the predicate must agree with
// the evaluated value.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/track_record.h"
#include "search/evaluate.h"
#include "search/scanner_parser.h"
#include "tests/support/sample_records.h"

namespace {

using namespace tracklore;

void Check(bool condition) {
    if (!condition) std::abort();
}

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// A parse error starts with "[position] ", the position counting characters from 1 up to
// one past the last character of the text.
void CheckParseError(const char* message, const std::string& text) {
    Check(message[0] == '[');
    char* end = nullptr;
    const long position = std::strtol(message + 1, &end, 10);
    Check(end[0] == ']' && end[1] == ' ');
    long characters = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    }
    Check(position >= 1 && position <= characters + 1);
}

void EvaluateOn(const TExpr& tree, const TrackRecord& record) {
    try {
        const auto value = tree.Evaluate(record);
        const bool expected = value->Kind() == TConstKind::Boolean && value->BooleanValue();
        Check(MatchesExpression(tree, record) == expected);
    } catch (const EParserError& error) {
        // Evaluation fails only with its own messages, never with a parser position.
        const char* message = error.what();
        Check(StartsWith(message, "Type error in \"") ||
              StartsWith(message, "Unkown identifier \"") ||
              std::strcmp(message, "Cannot perform NOT on non-boolean value") == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<TExpr> tree;
    try {
        tree = TScannerParser().Parse(text);
    } catch (const EParserError& error) {
        CheckParseError(error.what(), text);
        return 0;
    }
    Check(tree != nullptr);
    Check(!tree->Describe(0).empty());
    EvaluateOn(*tree, TrackRecord{});
    EvaluateOn(*tree, test::BjorkRecord());
    return 0;
}
