// The encoder's summary header in the first frame: where it sits for each kind of frame,
// what it says, and that a cut-off or foreign header says nothing.
#include "media/vbr_header.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/mpeg_frames.h"

namespace tracklore {
namespace {

using test::HeaderWord;
using test::kLayer2;
using test::kLayer3;
using test::kMpeg1;
using test::kMpeg2;
using test::kMpeg25;

constexpr uint32_t kMono = 0xC0;     // channel mode 3 over the header's joint stereo
constexpr uint32_t kCrc = 1u << 16;  // cleared: a CRC follows the header

void PutBigEndian(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// A 417-byte frame with a summary `tag` at `at`, flags and the fields that follow them.
std::vector<uint8_t> FrameWithXing(uint32_t word, size_t at, const char* tag, uint32_t flags,
                                   std::vector<uint32_t> fields) {
    std::vector<uint8_t> frame(417, 0);
    PutBigEndian(frame, 0, word);
    std::memcpy(frame.data() + at, tag, 4);
    PutBigEndian(frame, at + 4, flags);
    for (size_t i = 0; i < fields.size(); ++i)
        PutBigEndian(frame, at + 8 + 4 * i, fields[i]);
    return frame;
}

TEST(XingOffset, FollowsVersionChannelsAndCrc) {
    const uint32_t mpeg1 = HeaderWord(kMpeg1, kLayer3, 9, 0);
    const uint32_t mpeg2 = HeaderWord(kMpeg2, kLayer3, 8, 0);
    const uint32_t mpeg25 = HeaderWord(kMpeg25, kLayer3, 8, 0);
    EXPECT_EQ(XingOffset(mpeg1), 36u);
    EXPECT_EQ(XingOffset(mpeg1 | kMono), 21u);
    EXPECT_EQ(XingOffset(mpeg1 & ~kCrc), 38u);
    EXPECT_EQ(XingOffset(mpeg2), 21u);
    EXPECT_EQ(XingOffset(mpeg2 | kMono), 13u);
    EXPECT_EQ(XingOffset((mpeg25 | kMono) & ~kCrc), 15u);
    EXPECT_EQ(XingOffset(HeaderWord(kMpeg1, kLayer2, 9, 0)), 0u);
    EXPECT_EQ(XingOffset(0x12345678), 0u);
}

TEST(VbrHeader, XingGivesTheFieldsItsFlagsAnnounce) {
    const uint32_t word = HeaderWord(kMpeg1, kLayer3, 9, 0);
    auto both = FrameWithXing(word, 36, "Xing", 0x3, {1000, 500000});
    auto header = ReadVbrHeader(word, both.data(), both.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Kind, TVbrHeaderKind::Xing);
    EXPECT_EQ(header->Frames, 1000u);
    EXPECT_EQ(header->Bytes, 500000u);

    // Without the frames flag the byte count comes first.
    auto bytesOnly = FrameWithXing(word, 36, "Xing", 0x2, {500000});
    header = ReadVbrHeader(word, bytesOnly.data(), bytesOnly.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Frames, 0u);
    EXPECT_EQ(header->Bytes, 500000u);
}

TEST(VbrHeader, InfoIsTheConstantRateKind) {
    const uint32_t word = HeaderWord(kMpeg1, kLayer3, 9, 0) | kMono;
    auto frame = FrameWithXing(word, 21, "Info", 0x1, {77});
    const auto header = ReadVbrHeader(word, frame.data(), frame.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Kind, TVbrHeaderKind::Info);
    EXPECT_EQ(header->Frames, 77u);
}

TEST(VbrHeader, XingAtAnotherKindsOffsetIsNotSeen) {
    // A mono frame's header sits at 21; the same bytes at the stereo offset are audio data.
    const uint32_t word = HeaderWord(kMpeg1, kLayer3, 9, 0) | kMono;
    auto frame = FrameWithXing(word, 36, "Xing", 0x3, {1000, 500000});
    EXPECT_FALSE(ReadVbrHeader(word, frame.data(), frame.size()));
}

TEST(VbrHeader, VbriSitsAtItsFixedOffset) {
    const uint32_t word = HeaderWord(kMpeg2, kLayer3, 8, 0);
    std::vector<uint8_t> frame(417, 0);
    PutBigEndian(frame, 0, word);
    std::memcpy(frame.data() + kVbriOffset, "VBRI", 4);
    PutBigEndian(frame, kVbriOffset + 10, 123456);  // bytes
    PutBigEndian(frame, kVbriOffset + 14, 789);     // frames
    const auto header = ReadVbrHeader(word, frame.data(), frame.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Kind, TVbrHeaderKind::Vbri);
    EXPECT_EQ(header->Bytes, 123456u);
    EXPECT_EQ(header->Frames, 789u);
}

TEST(VbrHeader, HeaderCutOffByTheEndSaysNothing) {
    const uint32_t word = HeaderWord(kMpeg1, kLayer3, 9, 0);
    const auto frame = FrameWithXing(word, 36, "Xing", 0x3, {1000, 500000});
    // Tag and flags are there, the byte count is not complete.
    EXPECT_FALSE(ReadVbrHeader(word, frame.data(), 36 + 8 + 4 + 3));
    EXPECT_FALSE(ReadVbrHeader(word, frame.data(), 36 + 6));
    EXPECT_TRUE(ReadVbrHeader(word, frame.data(), 36 + 8 + 8));
    EXPECT_FALSE(ReadVbrHeader(word, nullptr, 0));
}

TEST(VbrHeader, OnlyLayer3FramesCarryOne) {
    const uint32_t word = HeaderWord(kMpeg1, kLayer2, 9, 0);
    const auto frame = FrameWithXing(word, 36, "Xing", 0x3, {1000, 500000});
    EXPECT_FALSE(ReadVbrHeader(word, frame.data(), frame.size()));
}

}  // namespace
}  // namespace tracklore
