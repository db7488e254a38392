// Tests of the version-1 tag at the end of a file.
#include <string>

#include <gtest/gtest.h>

#include "media/id3v2.h"
#include "tests/support/id3_builder.h"
#include "tests/support/id3_reading.h"

namespace tracklore {
namespace {

using namespace test;

// Audio-like bytes before the tag, so the file is long enough and does not start with "ID3".
std::string WithTag(const std::string& tag) {
    return std::string(200, 'x') + tag;
}

TEST(Id3v1, FramesComeInTheirFixedOrder) {
    const TLoaded loaded(WithTag(Id3v1Tag("Title", "Artist", "Album", "1999", "Note", 17)));
    EXPECT_EQ(loaded.tag->TagKind, 1);
    std::string ids;
    for (const auto& frame : loaded.tag->Frames())
        ids += frame->FrameID + " ";
    EXPECT_EQ(ids, "TIT2 TPE1 TALB TYER COMM TRCK TCON ");
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Title");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "Artist");
    EXPECT_EQ(TextOf(*loaded.tag, "TALB"), "Album");
    EXPECT_EQ(TextOf(*loaded.tag, "TYER"), "1999");
    EXPECT_EQ(CommentOf(loaded).Description, "");
    EXPECT_EQ(CommentOf(loaded).Text, "Note");
    EXPECT_EQ(TextOf(*loaded.tag, "TCON"), "Rock");
}

TEST(Id3v1, FieldsStopAtZeroAndLoseSpacesAndControlsAtBothEnds) {
    const TLoaded loaded(WithTag(Id3v1Tag("Hello", "  Hello" + std::string(23, ' '),
                                          std::string("\0Hidden", 7), "\t19\x01")));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Hello");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "Hello");
    EXPECT_EQ(TextOf(*loaded.tag, "TALB"), "");
    EXPECT_EQ(TextOf(*loaded.tag, "TYER"), "19");
}

TEST(Id3v1, TextsAreWindows1252) {
    const TLoaded loaded(WithTag(Id3v1Tag("Caf\xE9", "\x80")));
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "Café");
    EXPECT_EQ(TextOf(*loaded.tag, "TPE1"), "€");
}

TEST(Id3v1, CommentIsTwentyEightBytesAndTrackNeedsANonZeroByte125) {
    const std::string comment(28, 'c');
    const TLoaded v11(WithTag(Id3v1Tag("", "", "", "", comment + std::string("\0\5", 2))));
    EXPECT_EQ(CommentOf(v11).Text, comment);
    EXPECT_EQ(TextOf(*v11.tag, "TRCK"), "");
    const TLoaded v10(WithTag(Id3v1Tag("", "", "", "", comment + "de")));
    EXPECT_EQ(CommentOf(v10).Text, comment);
    EXPECT_EQ(TextOf(*v10.tag, "TRCK"), "de");
}

TEST(Id3v1, GenreByteNamesTheGenreUnchecked) {
    EXPECT_EQ(TextOf(*TLoaded(WithTag(Id3v1Tag("", "", "", "", "", 200))).tag, "TCON"), "");
    EXPECT_EQ(TextOf(*TLoaded(WithTag(Id3v1Tag("", "", "", "", "", 255))).tag, "TCON"), "(none)");
}

TEST(Id3v1, NoTagGivesNoFrames) {
    const TLoaded loaded(std::string(300, '\0'));
    EXPECT_EQ(loaded.tag->TagKind, 0);
    EXPECT_TRUE(loaded.tag->Frames().empty());
}

TEST(Id3v1, ID3v2TagAtTheStartWins) {
    const TLoaded loaded(Id3Tag(3, Id3TextFrame(3, "TIT2", "v2")) + std::string(100, 'x') +
                         Id3v1Tag("v1", "v1 artist"));
    EXPECT_EQ(loaded.tag->TagKind, 2);
    EXPECT_EQ(TextOf(*loaded.tag, "TIT2"), "v2");
    EXPECT_EQ(loaded.tag->FindFrame("TPE1"), nullptr);
}

TEST(Id3v1, FileShorterThanTheTagFailsAsShortRead) {
    ExpectShortRead(std::string(127, 'x'));
    ExpectShortRead("abcde");
}

}  // namespace
}  // namespace tracklore
