// The quick analysis against the walk of every frame, over hand-made frames: summary headers
// that fit the file, headers that cannot, steady and changing bit rates without a header,
// and how little of a file it reads.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/media_input.h"
#include "media/mpeg_audio.h"
#include "tests/support/error_text.h"
#include "tests/support/mpeg_frames.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::AppendFrames;
using test::HeaderWord;
using test::kLayer3;
using test::kMpeg1;

constexpr double kFrameSeconds = 1152.0 / 44100.0;
const uint32_t kRate32 = HeaderWord(kMpeg1, kLayer3, 1, 0);    // 104-byte frames
const uint32_t kRate128 = HeaderWord(kMpeg1, kLayer3, 9, 0);   // 417 bytes
const uint32_t kRate192 = HeaderWord(kMpeg1, kLayer3, 11, 0);  // 626 bytes

void PutBigEndian(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// `count` 128 kbit/s frames padded as an encoder pads them: 417 or 418 bytes, so that the
// mean length is the exact 417.96.
void AppendSteadyFrames(std::vector<uint8_t>& out, int count) {
    const auto total = [](int64_t frames) { return frames * 18432000 / 44100; };
    for (int i = 0; i < count; ++i) {
        const int64_t length = total(i + 1) - total(i);
        AppendFrames(out, kRate128 | (length == 418 ? 0x200u : 0u), static_cast<size_t>(length));
    }
}

// Frames of 128 and 192 kbit/s in turn.
void AppendMixedFrames(std::vector<uint8_t>& out, int count) {
    for (int i = 0; i < count; ++i)
        AppendFrames(out, i % 2 ? kRate192 : kRate128, i % 2 ? 626 : 417);
}

// A first frame of 128 kbit/s holding a summary `tag` with flags and fields.
std::vector<uint8_t> SummaryFrame(const char* tag, uint32_t flags, std::vector<uint32_t> fields,
                                  size_t at = 36) {
    std::vector<uint8_t> frame;
    AppendFrames(frame, kRate128, 417);
    std::memcpy(frame.data() + at, tag, 4);
    if (std::strcmp(tag, "VBRI") == 0) {
        PutBigEndian(frame, at + 10, fields.at(0));  // bytes
        PutBigEndian(frame, at + 14, fields.at(1));  // frames
        return frame;
    }
    PutBigEndian(frame, at + 4, flags);
    for (size_t i = 0; i < fields.size(); ++i)
        PutBigEndian(frame, at + 8 + 4 * i, fields[i]);
    return frame;
}

void AppendId3v1(std::vector<uint8_t>& out) {
    out.insert(out.end(), {'T', 'A', 'G'});
    out.insert(out.end(), 125, 0);
}

struct TBoth {
    std::unique_ptr<TMPEGAudio> Quick;
    std::unique_ptr<TMPEGAudio> Walked;
};

// The quick analysis walked the file and found what the walk finds.
void ExpectWalked(const TBoth& both, const std::string& what = "") {
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::Walk) << what;
    EXPECT_DOUBLE_EQ(both.Quick->Duration, both.Walked->Duration) << what;
    EXPECT_EQ(both.Quick->BitRate, both.Walked->BitRate) << what;
}

TBoth Analyse(const std::vector<uint8_t>& bytes) {
    TMediaInput quick(bytes);
    TMediaInput walked(bytes);
    return {TMPEGAudio::ScanQuick(quick), TMPEGAudio::ScanAllFrames(walked)};
}

// A variable-rate file with a Xing header counting its 2000 frames and all its bytes.
std::vector<uint8_t> XingFile(uint32_t flags, std::vector<uint32_t> fields) {
    std::vector<uint8_t> bytes = SummaryFrame("Xing", flags, std::move(fields));
    AppendMixedFrames(bytes, 2000);
    return bytes;
}
constexpr uint32_t kXingBytes = 417 + 1000 * 417 + 1000 * 626;

// --- Summary headers --------------------------------------------------------------------

TEST(QuickAnalysis, XingHeaderGivesPlayTimeFromFrameCountAndRateFromByteCount) {
    const TBoth both = Analyse(XingFile(0x3, {2000, kXingBytes}));
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::XingHeader);
    EXPECT_EQ(both.Quick->FrameCount, 2000u);
    EXPECT_DOUBLE_EQ(both.Quick->Duration, 2000 * kFrameSeconds);
    // (128 + 192) / 2; the frames are not padded, so their bytes give a little less.
    EXPECT_NEAR(both.Quick->BitRate, 160, 1);
    EXPECT_EQ(both.Quick->SampleRate, 44100);
    EXPECT_NEAR(both.Quick->Duration, both.Walked->Duration, 1.0);
    EXPECT_NEAR(both.Quick->BitRate, both.Walked->BitRate, 1);
}

TEST(QuickAnalysis, XingHeaderWithoutByteCountTakesTheAudioBytesBeforeId3v1) {
    std::vector<uint8_t> bytes = XingFile(0x1, {2000});
    AppendId3v1(bytes);
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::XingHeader);
    EXPECT_NEAR(both.Quick->BitRate, 160, 1);
    EXPECT_NEAR(both.Quick->Duration, both.Walked->Duration, 1.0);
}

TEST(QuickAnalysis, InfoHeaderKeepsTheFirstFramesRate) {
    std::vector<uint8_t> frames;
    AppendSteadyFrames(frames, 3000);
    std::vector<uint8_t> bytes =
        SummaryFrame("Info", 0x3, {3000, static_cast<uint32_t>(417 + frames.size())});
    bytes.insert(bytes.end(), frames.begin(), frames.end());
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::XingHeader);
    EXPECT_EQ(both.Quick->BitRate, 128);
    EXPECT_EQ(both.Walked->BitRate, 128);
    EXPECT_NEAR(both.Quick->Duration, both.Walked->Duration, 1.0);
}

TEST(QuickAnalysis, VbriHeaderCountsAsXingDoes) {
    std::vector<uint8_t> bytes = SummaryFrame("VBRI", 0, {kXingBytes, 2000});
    AppendMixedFrames(bytes, 2000);
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::VbriHeader);
    EXPECT_EQ(both.Quick->FrameCount, 2000u);
    EXPECT_NEAR(both.Quick->BitRate, 160, 1);
    EXPECT_NEAR(both.Quick->Duration, both.Walked->Duration, 1.0);
}

TEST(QuickAnalysis, SummaryCountsThatCannotDescribeTheFileAreNotBelieved) {
    struct TCase {
        const char* what;
        uint32_t flags;
        std::vector<uint32_t> fields;
    };
    const std::vector<TCase> cases = {
        {"no frames", 0x3, {0, kXingBytes}},
        {"more frames than bytes", 0x3, {0xFFFFFFFF, kXingBytes}},
        {"far fewer frames", 0x1, {20}},
        {"bytes beyond the file", 0x3, {2000, 0xFFFFFFFF}},
        {"bytes for a few frames", 0x3, {2000, 5000}},
        {"bytes too few per frame", 0x3, {20000, kXingBytes}},
    };
    for (const TCase& c : cases) {
        ExpectWalked(Analyse(XingFile(c.flags, c.fields)), c.what);
    }
}

TEST(QuickAnalysis, SummaryCutOffByTheEndOfTheFileIsWalked) {
    const std::vector<uint8_t> whole = SummaryFrame("Xing", 0x3, {2000, kXingBytes});
    for (const size_t size : {38u, 46u, 50u}) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(size));
        const TBoth both = Analyse(cut);
        EXPECT_EQ(both.Quick->LengthSource, TLengthSource::Walk) << size;
        EXPECT_EQ(both.Quick->FrameCount, both.Walked->FrameCount) << size;
    }
}

TEST(QuickAnalysis, SteadyFileWithUnbelievableSummaryIsTakenAsConstantRate) {
    std::vector<uint8_t> bytes = SummaryFrame("Info", 0x3, {0, 0});
    AppendSteadyFrames(bytes, 3000);
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::ConstantRate);
    EXPECT_NEAR(both.Quick->Duration, both.Walked->Duration, 1.0);
}

// --- Without a summary ------------------------------------------------------------------

TEST(QuickAnalysis, SteadyRateCountsTheAudioBytesUpToId3v1) {
    std::vector<uint8_t> bytes;
    AppendSteadyFrames(bytes, 5000);
    AppendId3v1(bytes);
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::ConstantRate);
    EXPECT_EQ(both.Quick->FrameCount, 5000u);
    EXPECT_EQ(both.Walked->FrameCount, 5001u);  // the tag taken as one frame more
    EXPECT_DOUBLE_EQ(both.Quick->Duration, 5000 * kFrameSeconds);
    EXPECT_EQ(both.Quick->BitRate, 128);
    EXPECT_EQ(both.Quick->SampleRate, 44100);
}

TEST(QuickAnalysis, StartOfOneRateThenAnotherIsWalked) {
    // Quiet openings are coded at the lowest rate: taking the file as constant from its
    // first frames would give several times its real length.
    std::vector<uint8_t> bytes;
    AppendFrames(bytes, kRate32, 104, 200);
    AppendFrames(bytes, kRate192, 626, 3000);
    ExpectWalked(Analyse(bytes));
}

TEST(QuickAnalysis, QuietStartAndQuietMiddleOfAVariableRateFileAreNotTakenAsSteady) {
    // A variable-rate file without a summary whose opening and a pause in its middle are
    // both coded at the lowest rate: one look at the middle agrees with the start, but
    // the rest of the audio does not, and the length would come out several times too long.
    std::vector<uint8_t> bytes;
    AppendFrames(bytes, kRate32, 104, 40);
    AppendMixedFrames(bytes, 1000);
    AppendFrames(bytes, kRate32, 104, 60);
    AppendMixedFrames(bytes, 1000);
    ExpectWalked(Analyse(bytes));
}

TEST(QuickAnalysis, ChangingRatesAreWalked) {
    std::vector<uint8_t> bytes;
    AppendMixedFrames(bytes, 3000);
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::Walk);
    EXPECT_EQ(both.Quick->FrameCount, both.Walked->FrameCount);
    EXPECT_EQ(both.Quick->BitRate, 160);
}

TEST(QuickAnalysis, FilesTooShortForTheRateTestAreWalked) {
    std::vector<uint8_t> bytes;
    AppendSteadyFrames(bytes, 25);
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::Walk);
    EXPECT_EQ(both.Quick->FrameCount, 25u);
}

TEST(QuickAnalysis, FreeFormatIsWalked) {
    const std::vector<uint8_t> bytes = test::Frames(HeaderWord(kMpeg1, kLayer3, 0, 0), 400, 100);
    const TBoth both = Analyse(bytes);
    EXPECT_EQ(both.Quick->LengthSource, TLengthSource::Walk);
    EXPECT_EQ(both.Quick->FrameCount, both.Walked->FrameCount);
}

TEST(QuickAnalysis, MissingHeaderRaisesTheWalksError) {
    const std::vector<uint8_t> zeros(300, 0);
    TMediaInput quick(zeros);
    TMediaInput walked(zeros);
    const std::string quickError = test::ErrorOf<EMPEGError>([&] { TMPEGAudio::ScanQuick(quick); });
    const std::string walkError =
        test::ErrorOf<EMPEGError>([&] { TMPEGAudio::ScanAllFrames(walked); });
    EXPECT_FALSE(quickError.empty());
    EXPECT_EQ(quickError, walkError);
}

// --- Bytes read -------------------------------------------------------------------------

TEST(QuickAnalysis, ReadsASmallPartOfAFile) {
    test::TTempDir dir;
    std::vector<uint8_t> steady;
    AppendSteadyFrames(steady, 6000);  // 2.5 MB
    std::vector<uint8_t> xing = SummaryFrame("Xing", 0x3, {6000, 417 + 3000 * (417 + 626)});
    AppendMixedFrames(xing, 6000);
    for (const auto* bytes : {&steady, &xing}) {
        const std::string path = dir.Path("a.mp3");
        test::WriteFileBytes(path, std::string(bytes->begin(), bytes->end()));
        TMediaInput input(path, TMediaInput::kSmallBlockSize);
        const auto audio = TMPEGAudio::ScanQuick(input);
        EXPECT_NE(audio->LengthSource, TLengthSource::Walk);
        EXPECT_LT(input.BytesFetched(), static_cast<int64_t>(bytes->size()) / 50);
    }
}

}  // namespace
}  // namespace tracklore
