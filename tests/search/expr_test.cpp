// Tests of the expression nodes: constants, identifiers and operators.
#include "search/expr.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/locale.h"
#include "tests/support/env_guard.h"
#include "tests/support/error_text.h"
#include "tests/support/record_builder.h"

namespace tracklore {
namespace {

std::unique_ptr<TExpr> Relation(const char* name, TExprOp op, std::unique_ptr<TExpr> constant) {
    return std::make_unique<TExprBin>(std::make_unique<TExprIdent>(name), std::move(constant), op);
}

TEST(ExprConst, EvaluatesToANewConstantOfTheSameKindAndValue) {
    const TrackRecord empty;
    EXPECT_EQ(TExprConst(int32_t{-7}).Evaluate(empty)->IntegerValue(), -7);
    EXPECT_EQ(TExprConst(2.5).Evaluate(empty)->RealValue(), 2.5);
    EXPECT_TRUE(TExprConst(true).Evaluate(empty)->BooleanValue());
    const auto text = TExprConst("x y").Evaluate(empty);
    EXPECT_EQ(text->Kind(), TConstKind::String);
    EXPECT_EQ(text->StringValue(), "x y");
}

TEST(ExprConst, PrintsEachKind) {
    EXPECT_EQ(TExprConst(int32_t{-12}).Describe(), "-12");
    EXPECT_EQ(TExprConst(1e20).Describe(), "1e+20");
    EXPECT_EQ(TExprConst(0.1 + 0.2).Describe(), "0.3");
    EXPECT_EQ(TExprConst(false).Describe(), "false");
    EXPECT_EQ(TExprConst("a\"b").Describe(), "\"a\"b\"");
}

TEST(ExprConst, RealPrintsWithTheLocalesSeparator) {
    const test::TLocaleGuard german("de_DE");
    EXPECT_EQ(TExprConst(2.5).Describe(), "2,5");
}

TEST(ExprIdent, NameIsKeptInLowerCase) {
    EXPECT_EQ(TExprIdent("VoLuMe").Name(), "volume");
    EXPECT_EQ(TExprIdent("VOLUME").Describe(7), "volume");
}

TEST(ExprIdent, UpperCaseNamesFindTheirFieldInTurkish) {
    const test::TLocaleGuard turkish("tr_TR");
    const TrackRecord record = test::MakeRecord({.ID = 4});
    std::unique_ptr<TExprConst> value;
    EXPECT_NO_THROW(value = TExprIdent("ID").Evaluate(record));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->IntegerValue(), 4);
}

TEST(ExprBin, WrapsOnlyWhenItsCodeIsBelowTheContext) {
    auto orNode = std::make_unique<TExprBin>(std::make_unique<TExprIdent>("a"),
                                             std::make_unique<TExprIdent>("b"), TExprOp::Or);
    EXPECT_EQ(orNode->Describe(0), "a OR b");
    EXPECT_EQ(orNode->Describe(1), "( a OR b )");
    auto relation = Relation("time", TExprOp::LessEqual, std::make_unique<TExprConst>(int32_t{5}));
    EXPECT_EQ(relation->Describe(3), "time <= 5");
    EXPECT_EQ(relation->Describe(9), "( time <= 5 )");
}

TEST(ExprBin, UnknownOperatorCodeFailsWhenEvaluated) {
    TExprBin node(std::make_unique<TExprConst>(true), std::make_unique<TExprConst>(true),
                  static_cast<TExprOp>(10));
    EXPECT_EQ(test::ErrorOf<EParserError>([&] { node.Evaluate(TrackRecord{}); }),
              "Internal error in operator description - eval failed");
}

TEST(ExprBin, ContainsWorksWithAConstantTheParserDidNotBuild) {
    // The left operand is a constant, the right an identifier: no cached needle.
    TExprBin node(std::make_unique<TExprConst>("The BEATLES"),
                  std::make_unique<TExprIdent>("artist"), TExprOp::Contains);
    TrackRecord record;
    record.Artist = "beat";
    EXPECT_TRUE(node.Evaluate(record)->BooleanValue());
    record.Artist = "";
    EXPECT_FALSE(node.Evaluate(record)->BooleanValue());
}

}  // namespace
}  // namespace tracklore
