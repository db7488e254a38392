// Tests of the UTF-8, Windows-1252 and UTF-16 conversions.
#include "core/text_encoding.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tracklore {
namespace {

TEST(Utf8Validity, AcceptsWellFormedTexts) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Bj\xC3\xB6rk \xE2\x82\xAC \xF0\x9F\x8E\xB5"));
    EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
    EXPECT_TRUE(IsValidUtf8("A long plain prefix, then Bj\xC3\xB6rk and more plain text"));
}

TEST(Utf8Validity, RefusesMalformedSequences) {
    EXPECT_FALSE(IsValidUtf8("Bj\xF6rk"));          // Windows-1252 o-umlaut
    EXPECT_FALSE(IsValidUtf8("\xC3"));              // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong, three bytes
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\x80"));              // lone continuation byte
    // Past and within runs of plain bytes, at every place of an eight-byte word.
    for (size_t at = 0; at < 24; ++at) {
        std::string text(24, 'a');
        text[at] = '\xF6';
        EXPECT_FALSE(IsValidUtf8(text)) << at;
        text.replace(at, 1, "\xC3\xB6");
        EXPECT_TRUE(IsValidUtf8(text)) << at;
    }
}

TEST(Cp1252, ConvertsTheHighHalfIncludingTheSpecialRow) {
    EXPECT_EQ(Cp1252ToUtf8("Bj\xF6rk"), "Bj\xC3\xB6rk");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x99"), "\xE2\x84\xA2");  // trade mark
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");      // undefined: the C1 control
    EXPECT_EQ(Cp1252ToUtf8("\xFF"), "\xC3\xBF");
}

TEST(TextFromFile, KeepsUtf8AndConvertsEverythingElse) {
    EXPECT_EQ(TextFromFile("Bj\xC3\xB6rk"), "Bj\xC3\xB6rk");
    EXPECT_EQ(TextFromFile("Bj\xF6rk"), "Bj\xC3\xB6rk");
}

TEST(PrintableText, EscapesControlCharactersAndConvertsLikeTextFromFile) {
    EXPECT_EQ(PrintableText(std::string_view("a\0b\t\n\r\x1F\x7F\\", 9)),
              "a\\0b\\t\\n\\r\\x1F\\x7F\\");
    EXPECT_EQ(PrintableText("Caf\xE9 \xC3\xA9"), "Caf\xC3\xA9 \xC3\x83\xC2\xA9");
}

TEST(Utf16, DecodesBothByteOrdersAndSurrogatePairs) {
    const std::vector<uint8_t> little = {0x48, 0x00, 0x69, 0x00, 0x3C, 0xD8, 0xB5, 0xDF};
    EXPECT_EQ(Utf16ToUtf8(little.data(), little.size(), false), "Hi\xF0\x9F\x8E\xB5");
    const std::vector<uint8_t> big = {0x00, 0x48, 0x00, 0x69};
    EXPECT_EQ(Utf16ToUtf8(big.data(), big.size(), true), "Hi");
}

TEST(Utf16, DropsAnOddByteAndReplacesLoneSurrogates) {
    const std::vector<uint8_t> odd = {0x41, 0x00, 0x42};
    EXPECT_EQ(Utf16ToUtf8(odd.data(), odd.size(), false), "A");
    const std::vector<uint8_t> lone = {0x00, 0xD8, 0x41, 0x00};
    EXPECT_EQ(Utf16ToUtf8(lone.data(), lone.size(), false),
              "\xEF\xBF\xBD"
              "A");
}

TEST(Utf16, KeepsZeroUnits) {
    const std::vector<uint8_t> units = {0x41, 0x00, 0x00, 0x00};
    EXPECT_EQ(Utf16ToUtf8(units.data(), units.size(), false), std::string("A\0", 2));
}

TEST(CutUtf8, NeverSplitsACharacter) {
    const std::string text = "ab\xE2\x82\xAC";  // 5 bytes, the euro sign takes 3
    EXPECT_EQ(CutUtf8(text, 10), text);
    EXPECT_EQ(CutUtf8(text, 5), text);
    EXPECT_EQ(CutUtf8(text, 4), "ab");
    EXPECT_EQ(CutUtf8(text, 3), "ab");
    EXPECT_EQ(CutUtf8(text, 2), "ab");
    EXPECT_EQ(CutUtf8(text, 0), "");
}

TEST(CutUtf8, KeepsFourByteCharactersWholeAtEveryCut) {
    const std::string text = "a\xF0\x9F\x8E\xB5";  // a, then a four-byte character
    for (size_t cut = 1; cut < 5; ++cut)
        EXPECT_EQ(CutUtf8(text, cut), "a") << cut;
}

TEST(CutUtf8, TextOfContinuationBytesIsCutAtTheLimitNotEmptied) {
    const std::string text(100, '\x80');
    EXPECT_EQ(CutUtf8(text, 60).size(), 60u);
    EXPECT_EQ(CutUtf8("\x80\x80\x80", 2).size(), 2u);
}

}  // namespace
}  // namespace tracklore
