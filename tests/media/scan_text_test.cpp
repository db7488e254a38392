// Tag texts cleaned for records.
#include "media/scan_text.h"

#include <gtest/gtest.h>

namespace tracklore {
namespace {

using namespace std::string_literals;

TEST(RecordText, DropsTrailingZeroCharacters) {
    EXPECT_EQ(RecordText("Rock\0"s), "Rock");
    EXPECT_EQ(RecordText("Rock\0\0\0"s), "Rock");
    EXPECT_EQ(RecordText("\0"s), "");
    EXPECT_EQ(RecordText("Plain"), "Plain");
}

TEST(RecordText, JoinsValuesSeparatedByZeroCharacters) {
    EXPECT_EQ(RecordText("One\0Two\0"s), "One / Two");
    EXPECT_EQ(RecordText("One\0\0Two\0Three"s), "One / Two / Three");
    EXPECT_EQ(RecordText("\0Lead"s), "Lead");
}

TEST(FirstValue, TakesTextUpToTheFirstSeparator) {
    EXPECT_EQ(FirstValue("Rock\0Pop"s), "Rock");
    EXPECT_EQ(FirstValue("Rock\0"s), "Rock");
    EXPECT_EQ(FirstValue("(17)"), "(17)");
    EXPECT_EQ(FirstValue(""), "");
}

TEST(FirstChars, CountsCharactersNotBytes) {
    EXPECT_EQ(FirstChars("2010-05-01", 4), "2010");
    EXPECT_EQ(FirstChars("20", 4), "20");
    EXPECT_EQ(FirstChars("\xC3\xA9t\xC3\xA9s!", 4), "\xC3\xA9t\xC3\xA9s");
}

}  // namespace
}  // namespace tracklore
