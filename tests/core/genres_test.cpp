// Tests of the genre names and of looking up a genre text.
#include "core/genres.h"

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

TEST(GenreIndexOf, NumberInBracketsWins) {
    EXPECT_EQ(GenreIndexOf("(17)"), 17);
    EXPECT_EQ(GenreIndexOf("(17)Rock"), 17);
    EXPECT_EQ(GenreIndexOf("Pop (17)"), 17);
}

TEST(GenreIndexOf, NumberIsCutToItsLowByte) {
    EXPECT_EQ(GenreIndexOf("(300)"), 44);
}

TEST(GenreIndexOf, BracketsWithoutALeadingDigitGiveUnknown) {
    EXPECT_EQ(GenreIndexOf("Rock (live)"), 254);
    EXPECT_EQ(GenreIndexOf("()"), 254);
    EXPECT_EQ(GenreIndexOf("(none)"), 254);
    EXPECT_EQ(GenreIndexOf(")17("), 254);
}

TEST(GenreIndexOf, BadNumberInBracketsIsAConversionError) {
    EXPECT_THROW(GenreIndexOf("(1x)"), EConvertError);
}

TEST(GenreIndexOf, NamesCompareIgnoringCase) {
    EXPECT_EQ(GenreIndexOf("rock"), 17);
    EXPECT_EQ(GenreIndexOf("HIP-HOP"), 7);
    EXPECT_EQ(GenreIndexOf("SynthPop"), 147);
}

TEST(GenreIndexOf, UnknownOrEmptyNameGivesUnknown) {
    EXPECT_EQ(GenreIndexOf("("), 254);
    EXPECT_EQ(GenreIndexOf(""), 254);
    EXPECT_EQ(GenreIndexOf("Polka-Punk"), 254);
}

}  // namespace
}  // namespace tracklore
