// Tests of the text to number conversions and their error texts.
#include "core/convert.h"

#include <gtest/gtest.h>

#include "tests/support/error_text.h"

namespace tracklore {
namespace {

TEST(StrToInt, AcceptsOptionalSignAndDigits) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("+17"), 17);
    EXPECT_EQ(StrToInt("-17"), -17);
    EXPECT_EQ(StrToInt("007"), 7);
}

TEST(StrToInt, TakesTheWholeSignedRange) {
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
}

TEST(StrToInt, RefusesWhatIsNotANumberWithTheText) {
    for (const char* text : {"", "+", "-", " 1", "1 ", "1a", "--1", "+-1", "0x10", "1.0"}) {
        EXPECT_EQ(test::ErrorOf<EConvertError>([&] { StrToInt(text); }),
                  "'" + std::string(text) + "' is not a valid integer value");
    }
}

TEST(StrToInt, RefusesValuesBeyond32Bits) {
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_THROW(StrToInt("-2147483649"), EConvertError);
    EXPECT_THROW(StrToInt("99999999999999999999999"), EConvertError);
}

TEST(StrToInt64, TakesTheWhole64BitRange) {
    EXPECT_EQ(StrToInt64("4294967295"), 4294967295LL);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

}  // namespace
}  // namespace tracklore
