// Tests of the query scanner and parser: tokens, precedence, errors and printing.
#include "search/scanner_parser.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/locale.h"
#include "tests/support/env_guard.h"
#include "tests/support/error_text.h"
#include "tests/support/table_tests.h"

namespace tracklore {
namespace {

// The printed form of `text`'s tree.
std::string Printed(const std::string& text) {
    return TScannerParser().Parse(text)->Describe(0);
}

// The message `text` fails with, or "" when it parses.
std::string ParseError(const std::string& text) {
    return test::ErrorOf<EParserError>([&] { TScannerParser().Parse(text); });
}

TEST(ScannerParser, ScansEveryTokenKind) {
    TScannerParser scanner;
    scanner.Reset("( ) = == != > >= < <= ~= \"a b\" 12 1.5 name NOT and Or xOR TRUE false");
    const TToken expected[] = {
        TToken::OpenParen, TToken::CloseParen,   TToken::Equal, TToken::Equal,     TToken::NotEqual,
        TToken::Greater,   TToken::GreaterEqual, TToken::Less,  TToken::LessEqual, TToken::Contains,
        TToken::String,    TToken::Integer,      TToken::Real,  TToken::Ident,     TToken::Not,
        TToken::And,       TToken::Or,           TToken::Xor,   TToken::True,      TToken::False,
        TToken::End,       TToken::End,
    };
    for (TToken kind : expected) {
        scanner.NextToken();
        EXPECT_EQ(scanner.TokenKind(), kind) << "at position " << scanner.Position();
    }
}

TEST(ScannerParser, EndOfInputKeepsItsPosition) {
    TScannerParser scanner;
    scanner.Reset("a  ");
    scanner.NextToken();
    scanner.NextToken();
    scanner.NextToken();
    EXPECT_EQ(scanner.TokenKind(), TToken::End);
    EXPECT_EQ(scanner.Position(), 4);
}

TEST(ScannerParser, ControlCharactersSeparateTokensAndZeroEndsTheText) {
    EXPECT_EQ(Printed("time\t>\r\n3"), "time > 3");
    EXPECT_EQ(Printed(std::string("time>3\0 AND", 11) + "(("), "time > 3");
}

TEST(ScannerParser, NumbersKeepTheirValues) {
    TScannerParser scanner;
    scanner.Reset("2147483647 1. 0.125 007");
    scanner.NextToken();
    EXPECT_EQ(scanner.IntegerValue(), 2147483647);
    scanner.NextToken();
    EXPECT_EQ(scanner.TokenKind(), TToken::Real);
    EXPECT_EQ(scanner.RealValue(), 1.0);
    scanner.NextToken();
    EXPECT_EQ(scanner.RealValue(), 0.125);
    scanner.NextToken();
    EXPECT_EQ(scanner.IntegerValue(), 7);
}

TEST(ScannerParser, StringHasNoEscapes) {
    TScannerParser scanner;
    scanner.Reset(R"("a\" b")");
    scanner.NextToken();
    EXPECT_EQ(scanner.TokenKind(), TToken::String);
    EXPECT_EQ(scanner.TokenText(), "a\\");
}

TEST(ScannerParser, PrintsRelationsWithBlanksAndLowerCaseNames) {
    EXPECT_EQ(Printed("time>360"), "time > 360");
    EXPECT_EQ(Printed("Volume==\"MUSIC_1\""), "volume == \"MUSIC_1\"");
    EXPECT_EQ(Printed("TITLE~=\"x\""), "title ~= \"x\"");
    EXPECT_EQ(Printed("ok=TRUE"), "ok == true");
    EXPECT_EQ(Printed("ok!=false"), "ok != false");
    EXPECT_EQ(Printed("artist"), "artist");
}

TEST(ScannerParser, EqualAndDoubleEqualBuildTheSameTree) {
    EXPECT_EQ(Printed("year=1992"), Printed("year==1992"));
}

TEST(ScannerParser, KeywordsIgnoreCase) {
    EXPECT_EQ(Printed("a and b And c AND d"), "a AND b AND c AND d");
    EXPECT_EQ(Printed("a xor b Or c"), "a XOR b OR c");
}

TEST(ScannerParser, AndBindsMoreLooselyThanOr) {
    EXPECT_EQ(Printed("artist==\"x\" OR title==\"y\" AND year==\"1999\""),
              "( artist == \"x\" OR title == \"y\" ) AND year == \"1999\"");
    const auto tree = TScannerParser().Parse("a OR b AND c");
    const auto& root = dynamic_cast<const TExprBin&>(*tree);
    EXPECT_EQ(root.Op(), TExprOp::And);
    EXPECT_EQ(dynamic_cast<const TExprBin&>(root.Left()).Op(), TExprOp::Or);
}

TEST(ScannerParser, ParenthesesLeaveNoNodeAndPrintByBindingCode) {
    EXPECT_EQ(Printed("artist==\"x\" OR (title==\"y\" AND year==\"1999\")"),
              "artist == \"x\" OR title == \"y\" AND year == \"1999\"");
    EXPECT_EQ(Printed("title~=\"mirror\" AND year=\"1992\""),
              "title ~= \"mirror\" AND year == \"1992\"");
    EXPECT_EQ(Printed("((time>3))"), "time > 3");
}

TEST(ScannerParser, OperatorsGroupLeftToRight) {
    const auto tree = TScannerParser().Parse("a OR b XOR c");
    const auto& root = dynamic_cast<const TExprBin&>(*tree);
    EXPECT_EQ(root.Op(), TExprOp::Xor);
    EXPECT_EQ(dynamic_cast<const TExprBin&>(root.Left()).Op(), TExprOp::Or);
    // A right operand of the same level is wrapped, a left one is not.
    EXPECT_EQ(Printed("a OR (b OR c)"), "a OR ( b OR c )");
    EXPECT_EQ(Printed("a AND (b AND c)"), "a AND ( b AND c )");
}

TEST(ScannerParser, NotPrintsItsOperandWithoutParentheses) {
    EXPECT_EQ(Printed("NOT (time>360 AND year==\"1999\")"), "NOT time > 360 AND year == \"1999\"");
    EXPECT_EQ(Printed("not artist"), "NOT artist");
}

TEST(ScannerParser, RealConstantsPrintShortest) {
    EXPECT_EQ(Printed("time>3.0"), "time > 3");
    EXPECT_EQ(Printed("date>36000.25"), "date > 36000.25");
    EXPECT_EQ(Printed("date>0.1"), "date > 0.1");
}

TEST(ScannerParser, RestOfTheInputIsIgnored) {
    EXPECT_EQ(Printed("time>3 )"), "time > 3");
    EXPECT_EQ(Printed("time>3 title"), "time > 3");
    EXPECT_EQ(Printed("time>3 garbage)"), "time > 3");
}

TEST(ScannerParser, ReportsEachErrorWithItsPosition) {
    test::ExpectEach(ParseError,
                     {{"   ", "[4] Expected identifier"},
                      {"", "[1] Expected identifier"},
                      {"title==\"abc", "[12] Missing quote at end-of-string!"},
                      {"size_x>1", "[5] Unexpected character \"_\""},
                      {"time>3m", "[7] Digit larger than base"},
                      {"time>128k", "[9] Digit larger than base"},
                      {"time>12e5", "[8] Digit larger than base"},
                      {"filesize>1.5.2", "[13] More than one decimal separator in number!!!"},
                      {"artist==\"a\" AND", "[16] Expected identifier"},
                      {"(time>3", "[8] Missing \")\""},
                      {"time>", "[6] Expected a constant after relational operator"},
                      {"time>title", "[11] Expected a constant after relational operator"},
                      {"NOT NOT time>3", "[8] Expected identifier"},
                      {"time!3", "[6] Expected = after !"},
                      {"time>.5", "[6] Unexpected character \".\""},
                      {"360<time", "[4] Expected identifier"}});
}

TEST(ScannerParser, TildeWithoutEqualsNamesThePositionAfterIt) {
    EXPECT_EQ(ParseError("artist~x"), "[8] Expected = after ~");
}

TEST(ScannerParser, PositionsCountCharactersNotBytes) {
    EXPECT_EQ(ParseError("artist==\"Bj\xc3\xb6rk\" AND \xc3\xa9"),
              "[21] Unexpected character \"\xc3\xa9\"");
}

TEST(ScannerParser, DecimalSeparatorIsTheLocales) {
    {
        const test::TLocaleGuard german("de_DE");
        EXPECT_EQ(Printed("date>1,5"), "date > 1,5");
        EXPECT_EQ(ParseError("date>1.5"), "[7] Unexpected character \".\"");
    }
    EXPECT_EQ(ParseError("date>1,5"), "[7] Unexpected character \",\"");
}

TEST(ScannerParser, RefusesIntegerBeyondThirtyTwoBits) {
    EXPECT_EQ(ParseError("time>2147483648"), "[6] Number too large");
    EXPECT_EQ(ParseError("time>99999999999999999999999"), "[6] Number too large");
}

TEST(ScannerParser, RealWholePartDoesNotWrap) {
    const auto tree = TScannerParser().Parse("date>4294967297.5");
    const auto& constant =
        dynamic_cast<const TExprConst&>(dynamic_cast<const TExprBin&>(*tree).Right());
    EXPECT_EQ(constant.RealValue(), 4294967297.5);
    EXPECT_EQ(ParseError("date>" + std::string(5000, '9') + ".0"), "[6] Number too large");
}

TEST(ScannerParser, RefusesDeepNestingWithAPosition) {
    const std::string deep(10000, '(');
    const std::string message = ParseError(deep + "time>3" + std::string(10000, ')'));
    EXPECT_EQ(message, "[258] Expression nested too deeply");
    const int limit = TScannerParser::kMaxNesting;
    EXPECT_EQ(Printed(std::string(limit, '(') + "a" + std::string(limit, ')')), "a");
}

TEST(ScannerParser, RefusesChainsTooLongToEvaluateSafely) {
    std::string chain = "a";
    for (int i = 0; i < TScannerParser::kMaxTreeDepth + 10; ++i)
        chain += " OR a";
    EXPECT_EQ(ParseError(chain).rfind("[", 0), 0u);
    EXPECT_NE(ParseError(chain).find("Expression nested too deeply"), std::string::npos);
}

TEST(ScannerParser, LongChainsBelowTheLimitParse) {
    std::string chain = "time>1";
    for (int i = 0; i < 1000; ++i)
        chain += " AND (NOT time>1 XOR time<5)";
    EXPECT_NO_THROW(TScannerParser().Parse(chain));
}

struct UnitCase {
    const char* text;
    const char* printed;
};

TEST(ScannerParser, UnitsPrintAsTheNumberTheyGive) {
    const UnitCase cases[] = {
        {"time>=3:00", "time >= 180"},
        {"time<1:02:03", "time < 3723"},
        {"time>0:00", "time > 0"},
        {"time<59:59", "time < 3599"},
        {"time<125:00", "time < 7500"},
        {"time<0:59:59", "time < 3599"},
        {"filesize>5MB", "filesize > 5242880"},
        {"filesize<700KB", "filesize < 716800"},
        {"filesize>1GB", "filesize > 1073741824"},
        {"filesize>0KB", "filesize > 0"},
        {"filesize>1.5mb", "filesize > 1572864"},
        {"filesize>0.1KB", "filesize > 102.4"},
        {"filesize<4Gb", "filesize < 4294967296"},
        {"date>=2024-01-31", "date >= 45322"},
        {"date<1899-12-30", "date < 0"},
        {"date>2024-02-29", "date > 45351"},
        {"date>1899-12-29", "date > -1"},
        {"time>=3:00 AND filesize<5MB", "time >= 180 AND filesize < 5242880"},
    };
    for (const UnitCase& c : cases)
        EXPECT_EQ(Printed(c.text), c.printed) << c.text;
}

TEST(ScannerParser, UnitsKeepTheKindOfTheirValue) {
    TScannerParser scanner;
    scanner.Reset("1GB 4GB 1:00:00 2024-01-31");
    scanner.NextToken();
    EXPECT_EQ(scanner.TokenKind(), TToken::Integer);
    scanner.NextToken();
    EXPECT_EQ(scanner.TokenKind(), TToken::Real);
    EXPECT_EQ(scanner.RealValue(), 4294967296.0);
    scanner.NextToken();
    EXPECT_EQ(scanner.IntegerValue(), 3600);
    scanner.NextToken();
    EXPECT_EQ(scanner.IntegerValue(), 45322);
}

TEST(ScannerParser, MalformedUnitsReportTheirPart) {
    const UnitCase cases[] = {
        {"time>=3:60", "[9] Minutes and seconds after a colon must be two digits, 00 to 59"},
        {"time>=3:5", "[9] Minutes and seconds after a colon must be two digits, 00 to 59"},
        {"time>=3:005", "[9] Minutes and seconds after a colon must be two digits, 00 to 59"},
        {"time>1:60:00", "[8] Minutes and seconds after a colon must be two digits, 00 to 59"},
        {"time>3:00m", "[10] Digit larger than base"},
        {"time>3:", "[7] Unexpected character \":\""},
        {"time>1:00:00:00", "[13] Unexpected character \":\""},
        {"time>596524:00:00", "[6] Number too large"},
        {"filesize>5XB", "[11] Digit larger than base"},
        {"filesize>5KBX", "[11] Digit larger than base"},
        {"filesize>5K", "[11] Digit larger than base"},
        {"filesize>5TB", "[11] Digit larger than base"},
        {"filesize>5MB1", "[11] Digit larger than base"},
        {"filesize>1.5.2MB", "[13] More than one decimal separator in number!!!"},
        {"date>=2024-02-30", "[15] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=2023-02-29", "[15] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=2024-13-01", "[12] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=2024-00-01", "[12] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=2024-1-31", "[12] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=2024-01", "[14] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=2024-01-311", "[15] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=24-01-31", "[7] Not a calendar date: write year-month-day, as 2024-01-31"},
        {"date>=2024-01-31x", "[17] Digit larger than base"},
        {"date>=2024-", "[11] Unexpected character \"-\""},
    };
    for (const UnitCase& c : cases)
        EXPECT_EQ(ParseError(c.text), c.printed) << c.text;
}

TEST(ScannerParser, UnitsFollowTheLocalesSeparator) {
    const test::TLocaleGuard german("de_DE");
    EXPECT_EQ(Printed("filesize>1,5MB"), "filesize > 1572864");
    EXPECT_EQ(ParseError("filesize>1MB,5"), "[11] Digit larger than base");
}

}  // namespace
}  // namespace tracklore
