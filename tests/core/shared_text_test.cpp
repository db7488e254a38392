// Tests of SharedText: empty texts, sharing, bytes and moves.
#include "core/shared_text.h"

#include <string>

#include <gtest/gtest.h>

#include "core/track_record.h"

namespace tracklore {
namespace {

TEST(SharedText, EmptyTextNeedsNoStorageAndReadsAsEmptyCString) {
    SharedText text;
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text.size(), 0u);
    EXPECT_STREQ(text.c_str(), "");
    EXPECT_TRUE(SharedText("").empty());
}

TEST(SharedText, CopiesShareBytesAndAssignmentNeverChangesTheOther) {
    SharedText first("The Beatles");
    SharedText second = first;
    EXPECT_TRUE(second.SharesWith(first));
    second = "Abba";
    EXPECT_EQ(first, "The Beatles");
    EXPECT_EQ(second, "Abba");
}

TEST(SharedText, KeepsEmbeddedZeroBytesAndHighBytes) {
    const std::string raw("a\0b\xC3\xA9", 5);
    SharedText text(raw);
    EXPECT_EQ(text.size(), 5u);
    EXPECT_EQ(text.str(), raw);
}

TEST(SharedText, SelfAssignmentAndMovesLeaveValidTexts) {
    SharedText text("x");
    const SharedText& alias = text;
    text = alias;
    EXPECT_EQ(text, "x");
    SharedText moved = std::move(text);
    EXPECT_EQ(moved, "x");
    text = moved;  // a moved-from text can be assigned again
    EXPECT_EQ(text, "x");
}

TEST(TrackRecord, CopyIsIndependentOfTheOriginal) {
    TrackRecord original;
    original.ID = 4;
    original.Artist = "Aqua";
    TrackRecord copy = original;
    copy.Artist = "Queen";
    copy.ID = 5;
    EXPECT_EQ(original.Artist, "Aqua");
    EXPECT_EQ(original.ID, 4);
    EXPECT_NE(original, copy);
}

TEST(TrackRecord, EmptyRecordHasZeroNumbersAndEmptyTexts) {
    const TrackRecord empty;
    EXPECT_EQ(empty, TrackRecord{});
    EXPECT_EQ(empty.ID, 0);
    EXPECT_TRUE(empty.Volume.empty());
    EXPECT_EQ(empty.Genre, 0);
    EXPECT_EQ(empty.FileDate, 0.0);
}

}  // namespace
}  // namespace tracklore
