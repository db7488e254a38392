// Tests of the genre names and of looking up a genre text.
#include "core/genres.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "core/convert.h"

namespace tracklore {
namespace {

TEST(GenreNames, NamedUnnamedAndNone) {
    EXPECT_EQ(GenreNames[0], "Blues");
    EXPECT_EQ(GenreNames[17], "Rock");
    EXPECT_EQ(GenreNames[79], "Hard Rock");
    EXPECT_EQ(GenreNames[80], "Folk");
    EXPECT_EQ(GenreNames[147], "SynthPop");
    for (int i = 148; i <= 254; ++i)
        EXPECT_EQ(GenreNames[i], "") << i;
    EXPECT_EQ(GenreNames[255], "(none)");
}

// A genre text as a tag holds it, and the index it stands for.
using Genre = std::pair<std::string, int>;

class GenreIndexOfText : public testing::TestWithParam<Genre> {};

TEST_P(GenreIndexOfText, Text) {
    EXPECT_EQ(GenreIndexOf(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(NumberInBracketsWins, GenreIndexOfText,
                         testing::Values(Genre("(17)", 17), Genre("(17)Rock", 17),
                                         Genre("Pop (17)", 17)));

INSTANTIATE_TEST_SUITE_P(NumberIsCutToItsLowByte, GenreIndexOfText,
                         testing::Values(Genre("(300)", 44)));

INSTANTIATE_TEST_SUITE_P(BracketsWithoutALeadingDigitGiveUnknown, GenreIndexOfText,
                         testing::Values(Genre("Rock (live)", 254), Genre("()", 254),
                                         Genre("(none)", 254), Genre(")17(", 254)));

TEST(GenreIndexOf, BadNumberInBracketsIsAConversionError) {
    EXPECT_THROW(GenreIndexOf("(1x)"), EConvertError);
}

INSTANTIATE_TEST_SUITE_P(NamesCompareIgnoringCase, GenreIndexOfText,
                         testing::Values(Genre("rock", 17), Genre("HIP-HOP", 7),
                                         Genre("SynthPop", 147)));

INSTANTIATE_TEST_SUITE_P(UnknownOrEmptyNameGivesUnknown, GenreIndexOfText,
                         testing::Values(Genre("(", 254), Genre("", 254),
                                         Genre("Polka-Punk", 254)));

}  // namespace
}  // namespace tracklore
