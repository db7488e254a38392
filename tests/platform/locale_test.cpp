// Tests of the ICU locale services: collation, sort keys and case mapping.
#include "platform/locale.h"

#include <gtest/gtest.h>

namespace tracklore::locale {
namespace {

// Every test leaves the pinned test locale behind it.
class Locale : public testing::Test {
protected:
    void TearDown() override { SetLocale("en_US"); }
};

TEST_F(Locale, IgnoreCaseComparisonOrdersLettersAlphabeticallyWhateverTheirCase) {
    EXPECT_EQ(CompareIgnoreCase("abc", "ABC"), 0);
    EXPECT_LT(CompareIgnoreCase("abc", "ABD"), 0);
    EXPECT_GT(CompareIgnoreCase("b", "A"), 0);
    EXPECT_LT(CompareIgnoreCase("", "a"), 0);
    EXPECT_LT(CompareIgnoreCase("\xC3\xA9t\xC3\xA9", "f"), 0);  // été before f
}

TEST_F(Locale, CaseSensitiveCollationTellsCasesApartButKeepsAlphabet) {
    EXPECT_NE(CompareCollate("abc", "ABC"), 0);
    EXPECT_LT(CompareCollate("abc", "ABD"), 0);
    EXPECT_EQ(CompareCollate("Abba", "Abba"), 0);
}

TEST_F(Locale, SortKeysOrderLikeTheComparison) {
    const char* texts[] = {"abc", "ABD", "Abc", "", "zebra", "\xC3\x84rger", "a b", "10", "9"};
    for (const char* a : texts) {
        for (const char* b : texts) {
            const int byKey = SortKeyIgnoreCase(a).compare(SortKeyIgnoreCase(b));
            const int byCompare = CompareIgnoreCase(a, b);
            EXPECT_EQ(byKey < 0, byCompare < 0) << a << " / " << b;
            EXPECT_EQ(byKey == 0, byCompare == 0) << a << " / " << b;
        }
    }
}

TEST_F(Locale, UpperAndLowerCaseFollowTheLocale) {
    EXPECT_EQ(UpperCase("The Beatles"), "THE BEATLES");
    EXPECT_EQ(UpperCase("stra\xC3\x9F"
                        "e"),
              "STRASSE");
    EXPECT_EQ(LowerCase("\xC3\x89T\xC3\x89"), "\xC3\xA9t\xC3\xA9");
    SetLocale("tr_TR");
    EXPECT_EQ(UpperCase("i"), "\xC4\xB0");  // dotted capital I
    EXPECT_EQ(LowerCase("I"), "\xC4\xB1");  // dotless small i
}

TEST_F(Locale, ContainmentIgnoresCase) {
    EXPECT_TRUE(ContainsIgnoreCase("The Beatles", "beat"));
    EXPECT_TRUE(ContainsIgnoreCase("anything", ""));
    EXPECT_FALSE(ContainsIgnoreCase("Abba", "abc"));
    EXPECT_TRUE(ContainsIgnoreCase("Mot\xC3\xB6rhead", "\xC3\x96RHEAD"));
}

TEST_F(Locale, DecimalSeparatorComesFromTheLocale) {
    EXPECT_EQ(DecimalSeparator(), ".");
    SetLocale("de_DE");
    EXPECT_EQ(DecimalSeparator(), ",");
    EXPECT_EQ(CurrentLocaleName(), "de_DE");
}

TEST_F(Locale, RootLocaleStillIgnoresCase) {
    SetLocale("root");
    EXPECT_EQ(CompareIgnoreCase("abc", "ABC"), 0);
    EXPECT_LT(CompareIgnoreCase("abc", "ABD"), 0);
}

}  // namespace
}  // namespace tracklore::locale
