// Tests of version-2 tag frames: headers, text encodings and display texts.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/id3v2.h"
#include "tests/support/id3_builder.h"
#include "tests/support/id3_reading.h"
#include "tests/support/memory_stream.h"

namespace tracklore {
namespace {

using namespace test;

// ---- texts ----

TEST(Id3v2Text, Utf16WithEitherByteOrderMarkAndEncoding2) {
    const TLoaded loaded(
        Id3Tag(3, Id3TextFrame(3, "TIT2", std::string("\xFF\xFEH\0i\0", 6), 1) +
                      Id3TextFrame(3, "TPE1", std::string("\xFE\xFF\0H\0i", 6), 1) +
                      Id3TextFrame(3, "TALB", std::string("\0H\0i", 4), 2)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Hi");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "Hi");
    EXPECT_EQ(TextOf(*loaded.tag, "TALB"), "Hi");
}

TEST(Id3v2Text, Utf16WithoutMarkIsLittleEndianFromTheFirstByte) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", std::string("H\0i\0", 4), 1)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Hi");
}

TEST(Id3v2Text, Utf16DropsAnOddLastByte) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", std::string("\xFF\xFEH\0i", 5), 1)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "H");
}

TEST(Id3v2Text, Utf16ValuesEachWithTheirOwnByteOrderMark) {
    // Two values, the second big-endian, as taggers write several values of one frame.
    const TLoaded loaded(Id3Tag(4, Id3TextFrame(4, "TPE1",
                                                std::string("\xFF\xFE"
                                                            "A\0\0\0\xFE\xFF\0B\0\0",
                                                            12),
                                                1)));
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), std::string("A\0B\0", 4));
}

TEST(Id3v2Text, EightBitTextIsWindows1252) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", "Caf\xE9 \x80")));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Café €");
}

TEST(Id3v2Text, Utf8IsKeptAndBrokenUtf8IsTakenAsWindows1252) {
    const TLoaded loaded(
        Id3Tag(4, Id3TextFrame(4, "TIT2", "Café", 3) + Id3TextFrame(4, "TPE1", "Caf\xE9", 3)));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Café");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "Café");
}

TEST(Id3v2Text, StoredTerminatorStaysPartOfTheText) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TCON", std::string("Rock\0", 5))));
    EXPECT_EQ(TextOf(*loaded.tag, "TCON"), std::string("Rock\0", 5));
}

TEST(Id3v2Text, EmptyFrameHasEncodingZeroAndNoText) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "TIT2", "")));
    auto* frame = dynamic_cast<Tid3text*>(loaded.tag->FindFrame("TIT2"));
    EXPECT_EQ(frame->Encoding, 0);
    EXPECT_EQ(frame->Text, "");
}

TEST(Id3v2Text, UnknownEncodingIsRefused) {
    ExpectTagError(Id3Tag(3, Id3TextFrame(3, "TIT2", "a", 5)), "Unsupported encoding 5");
}

// ---- comments ----

// The description and text a version-3 COMM frame with these bytes gives.
void ExpectComment(const std::string& data, const char* description, const char* text) {
    const TLoaded loaded(Id3Tag(3, Id3Frame(3, "COMM", data)));
    EXPECT_EQ(CommentOf(loaded).Description, description);
    EXPECT_EQ(CommentOf(loaded).Text, text);
}

TEST(Id3v2Comment, Utf16EmptyDescriptionWithMark) {
    ExpectComment(std::string("\1eng\xFF\xFE\0\0\xFF\xFE"
                              "a\0",
                              12),
                  "", "a");
}

TEST(Id3v2Comment, Utf16EmptyDescriptionWithoutMarkKeepsTheText) {
    ExpectComment(std::string("\1eng\0\0\xFF\xFE"
                              "a\0",
                              10),
                  "", "a");
}

TEST(Id3v2Comment, EightBitDescriptionAndText) {
    ExpectComment(std::string("\0engdesc\0text", 13), "desc", "text");
}

TEST(Id3v2Comment, MissingTerminatorLeavesTheTextEmpty) {
    ExpectComment(std::string("\0engdesc", 8), "desc", "");
}

TEST(Id3v2Comment, FewerThanFiveBytesIsBuggy) {
    ExpectTagError(Id3Tag(3, Id3Frame(3, "COMM", std::string("\0eng", 4))),
                   "An error occured while parsing the data - tag is buggy");
}

// ---- frame classes and the store ----

TEST(Id3v2FrameStore, AddFrameRefusesAFrameOfAnotherIdentifier) {
    TLoaded loaded(Id3Tag(3, ""));
    ExpectError<Eid3v2>(
        [&] { loaded.tag->AddFrame("TPE1", std::make_unique<Tid3text>("TIT2", "a")); },
        "Tried to add a TIT2-frame as being a TPE1-frame");
    EXPECT_EQ(loaded.tag->FindFrame("TPE1"), nullptr);
}

TEST(Id3v2FrameStore, FrameClassesRefuseIdentifiersOfOtherFamilies) {
    ExpectError<Eid3v2>([] { Tid3text("COMM", "a"); },
                        "Someone tried to create COMM-frame with something that handles "
                        "T??\?-frames");
    TMediaInput empty(std::vector<uint8_t>{});
    const Tid3FrameHeader header{"TIT2", 0, 0, 0};
    ExpectError<Eid3v2>([&] { Tid3web(header, empty); },
                        "Someone tried to create TIT2-frame with something that handles "
                        "W??\?-frames");
    ExpectError<Eid3v2>([&] { Tid3comment(header, empty); },
                        "Someone tried to create TIT2-frame with something that handles "
                        "COMM-frames");
}

TEST(Id3v2FrameStore, UnsynchronisationRemovalKeepsALastLoneFF) {
    std::vector<uint8_t> data = {0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF};
    RemoveUnsynchronisation(data);
    EXPECT_EQ(Hex(data), "FF 00 FF FF FF");
}

}  // namespace
}  // namespace tracklore
