// Tests of evaluating expressions on records: fields, units, kinds and errors.
#include "search/evaluate.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/locale.h"
#include "search/scanner_parser.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/env_guard.h"
#include "tests/support/error_text.h"
#include "tests/support/record_builder.h"
#include "tests/support/sample_records.h"
#include "tests/support/table_tests.h"

namespace tracklore {
namespace {

using test::IdsInSlotOrder;

// The message evaluating `text` on `record` fails with, or "" when it evaluates.
std::string EvalError(const std::string& text, const TrackRecord& record = {}) {
    return test::ErrorOf<EParserError>([&] { TScannerParser().Parse(text)->Evaluate(record); });
}

bool Matches(const std::string& text, const TrackRecord& record) {
    return MatchesExpression(*TScannerParser().Parse(text), record);
}

std::string DoParsingError(const std::string& text) {
    return test::ErrorOf<EParserError>([&] { DoParsing(text); });
}

TEST(Evaluate, UnitsCompareWithTheirFields) {
    TrackRecord track = test::AquaRecord();  // 3:17, 3,000,000,000 bytes, a file date in 1998
    EXPECT_TRUE(Matches("time>=3:17 AND time<3:18", track));
    EXPECT_FALSE(Matches("time>3:17", track));
    EXPECT_TRUE(Matches("filesize>2GB AND filesize<2862MB", track));
    EXPECT_TRUE(Matches("date>=1998-07-24 AND date<1998-07-25", track));
    track.FileDate = 45322.0;  // midnight opening 2024-01-31
    EXPECT_TRUE(Matches("date==2024-01-31", track));
}

TEST(Evaluate, IdentifiersReadTheirFields) {
    const TrackRecord track = test::AquaRecord();
    EXPECT_TRUE(Matches("id==42 AND time==197 AND samplerate==44100 AND kbitrate==128", track));
    EXPECT_TRUE(Matches("volume==\"MUSIC_1\" AND artist==\"Aqua\" AND album==\"Aquarium\"", track));
    EXPECT_TRUE(Matches("title==\"Barbie Girl\" AND year==\"1997\" AND comment==\"Été\"", track));
    EXPECT_TRUE(Matches("filename==\"/Albums/Aqua/Barbie Girl.mp3\"", track));
    EXPECT_TRUE(Matches("date>36000.5 AND date<36001", track));
}

TEST(Evaluate, FileSizeAboveTwoGigabytesStaysPositive) {
    EXPECT_TRUE(Matches("filesize>2147483647", test::AquaRecord()));
    EXPECT_EQ(TExprIdent("filesize").Evaluate(test::AquaRecord())->Kind(), TConstKind::Real);
}

TEST(Evaluate, GenreIsTheGenresName) {
    const TrackRecord track = test::AquaRecord();
    EXPECT_TRUE(Matches("genre==\"Rock\"", track));
    EXPECT_FALSE(Matches("genre==\"rock\"", track));
    EXPECT_TRUE(Matches("genre~=\"ROCK\"", track));
    TrackRecord none;
    none.Genre = 255;
    EXPECT_TRUE(Matches("genre==\"(none)\"", none));
}

TEST(Evaluate, StringRelationsFollowCaseSensitiveCollation) {
    const TrackRecord track = test::AquaRecord();
    EXPECT_TRUE(Matches("year>=\"1992\" AND year<=\"1999\"", track));
    EXPECT_TRUE(Matches("artist!=\"aqua\"", track));
    // Collation, not byte order: lower case sorts before upper case, accents after.
    EXPECT_TRUE(Matches("artist>\"aqua\"", track));
    EXPECT_TRUE(Matches("comment<\"F\"", track));
}

TEST(Evaluate, ContainsLowerCasesBothTexts) {
    const TrackRecord track = test::AquaRecord();
    EXPECT_TRUE(Matches("title~=\"BIE g\"", track));
    EXPECT_TRUE(Matches("comment~=\"éT\"", track));
    EXPECT_FALSE(Matches("title~=\"girls\"", track));
    EXPECT_FALSE(Matches("title~=\"\"", track));
}

TEST(Evaluate, ContainsFollowsTurkishCasing) {
    const test::TLocaleGuard turkish("tr_TR");
    const TrackRecord record = test::MakeRecord({.Title = "ISTANBUL"});
    EXPECT_TRUE(Matches("title~=\"ıstanbul\"", record));
    EXPECT_FALSE(Matches("title~=\"istanbul\"", record));
}

TEST(Evaluate, NumbersCompareAcrossIntegerAndReal) {
    const TrackRecord track = test::AquaRecord();
    EXPECT_TRUE(Matches("time>196.5 AND time<197.5 AND time!=197.25", track));
    EXPECT_TRUE(Matches("time==197.0", track));
    EXPECT_TRUE(Matches("time>360 OR time>=197", track));
}

TEST(Evaluate, NanDateIsOnlyUnequal) {
    TrackRecord record;
    record.FileDate = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(Matches("date==0", record));
    EXPECT_FALSE(Matches("date>=0 OR date<=0", record));
    EXPECT_TRUE(Matches("date!=0", record));
}

TEST(Evaluate, TypeErrorNamesTheRelationAsPrinted) {
    test::ExpectEach([](const std::string& text) { return EvalError(text); },
                     {{"year>=1992", "Type error in \"year >= 1992\""},
                      {"year>=\"1992\"", ""},
                      {"time~=3", "Type error in \"time ~= 3\""},
                      {"id==TRUE", "Type error in \"id == true\""},
                      {"artist==1.5", "Type error in \"artist == 1.5\""}});
}

TEST(Evaluate, LogicalOperatorsNeedBooleans) {
    test::ExpectEach([](const std::string& text) { return EvalError(text); },
                     {{"artist AND time>3", "Type error in \"artist AND time > 3\""},
                      {"time<3 AND artist", "Type error in \"time < 3 AND artist\""},
                      {"time>3 OR artist", "Type error in \"time > 3 OR artist\""},
                      {"time<3 XOR artist", "Type error in \"time < 3 XOR artist\""},
                      {"NOT artist", "Cannot perform NOT on non-boolean value"}});
}

TEST(Evaluate, AndAndOrSkipTheirRightSide) {
    TrackRecord twoSeconds;
    twoSeconds.PlayLength = 2;
    EXPECT_TRUE(Matches("time<3 OR nosuch==\"x\"", twoSeconds));
    EXPECT_FALSE(Matches("time>3 AND nosuch==1", twoSeconds));
    EXPECT_EQ(EvalError("time<3 XOR nosuch==1", twoSeconds), "Unkown identifier \"nosuch\"");
}

TEST(Evaluate, XorIsTrueForExactlyOne) {
    const TrackRecord track = test::AquaRecord();
    EXPECT_TRUE(Matches("id==42 XOR id==1", track));
    EXPECT_FALSE(Matches("id==42 XOR time==197", track));
    EXPECT_FALSE(Matches("id==1 XOR id==2", track));
    EXPECT_TRUE(Matches("NOT (id==42 XOR time==197)", track));
}

TEST(Evaluate, UnknownIdentifierNamesTheLowerCaseName) {
    EXPECT_EQ(EvalError("NoSuch==1"), "Unkown identifier \"nosuch\"");
    EXPECT_EQ(EvalError("length>1"), "Unkown identifier \"length\"");
}

TEST(Evaluate, LeftSideIsEvaluatedFirst) {
    EXPECT_EQ(EvalError("nosuch==1 XOR other==1"), "Unkown identifier \"nosuch\"");
    // XOR evaluates both sides before it checks their kinds.
    EXPECT_EQ(EvalError("artist XOR other==1"), "Unkown identifier \"other\"");
}

TEST(Evaluate, DeepestTreeTheParserAcceptsEvaluatesPrintsAndFrees) {
    std::string chain = "time>1";
    for (int i = 1; i < TScannerParser::kMaxTreeDepth; ++i)
        chain += " OR time>1";
    auto tree = TScannerParser().Parse(chain);
    EXPECT_FALSE(MatchesExpression(*tree, TrackRecord{}));
    EXPECT_EQ(tree->Describe(0).size(), chain.size() + 2 * TScannerParser::kMaxTreeDepth);
    tree.reset();

    std::string nested = "time>1";
    for (int i = 0; i < TScannerParser::kMaxNesting; ++i)
        nested = "NOT (" + nested + ")";
    EXPECT_FALSE(MatchesExpression(*TScannerParser().Parse(nested), TrackRecord{}));
}

TEST(MatchesExpression, NonBooleanResultSelectsNothing) {
    EXPECT_FALSE(Matches("artist", test::AquaRecord()));
    EXPECT_FALSE(Matches("time", test::AquaRecord()));
}

TEST(MatchesExpression, SelectsInSlotOrderFromACatalogue) {
    TTracklore catalogue;
    for (uint16_t seconds : {400, 100, 361, 360, 500}) {
        TrackRecord record;
        record.PlayLength = seconds;
        catalogue.Insert(record);
    }
    const auto tree = TScannerParser().Parse("time>360");
    EXPECT_EQ(IdsInSlotOrder(*catalogue.SelectWhere(MatchesExpression, tree.get())),
              (std::vector<int32_t>{1, 3, 5}));
    auto subset = SelectMatching(catalogue, *tree);
    const auto again = TScannerParser().Parse("time<450");
    EXPECT_EQ(IdsInSlotOrder(*SelectMatching(*subset, *again)), (std::vector<int32_t>{1, 3}));
}

TEST(MatchesExpression, ErrorOnARecordEndsTheSelection) {
    TTracklore catalogue;
    for (uint16_t seconds : {1, 5}) {
        TrackRecord record;
        record.PlayLength = seconds;
        catalogue.Insert(record);
    }
    const auto tree = TScannerParser().Parse("time>3 AND nosuch==1");
    EXPECT_THROW(SelectMatching(catalogue, *tree), EParserError);
}

TEST(DoParsing, RefusesAnEmptyText) {
    EXPECT_EQ(DoParsingError(""), "Empty expression - must supply an expression");
    EXPECT_EQ(DoParsingError("  "), "[3] Expected identifier");
}

TEST(DoParsing, TestEvaluationOnAnEmptyRecordReportsErrorsItReaches) {
    EXPECT_EQ(DoParsingError("year>=1992"), "Type error in \"year >= 1992\"");
    EXPECT_EQ(DoParsingError("nosuch==1"), "Unkown identifier \"nosuch\"");
    EXPECT_EQ(DoParsingError("time>3 AND nosuch==1"), "");
    EXPECT_EQ(DoParsing("artist")->Describe(0), "artist");
    EXPECT_EQ(DoParsingError("genre==\"Blues\" AND NOT artist"),
              "Cannot perform NOT on non-boolean value");
}

}  // namespace
}  // namespace tracklore
