// The MPEG audio analyser: header decoding, the first-header search and the frame walk,
// over hand-made frames.
#include "media/mpeg_audio.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "media/media_input.h"
#include "tests/support/error_text.h"
#include "tests/support/id3_builder.h"
#include "tests/support/mpeg_frames.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::AppendFrames;
using test::Frames;
using test::HeaderBytes;
using test::HeaderWord;
using test::kLayer1;
using test::kLayer2;
using test::kLayer3;
using test::kMp3Header128;
using test::kMpeg1;
using test::kMpeg2;
using test::kMpeg25;

constexpr double kMp3FrameSeconds = 1152.0 / 44100.0;

std::string FirstHeaderError(std::vector<uint8_t> bytes, int64_t start = 0) {
    TMediaInput input(std::move(bytes));
    input.Seek(start);
    return test::ErrorOf<EMPEGError>([&] { TMPEGAudio::ReadFirstHeader(input); });
}

std::unique_ptr<TMPEGAudio> Scan(std::vector<uint8_t> bytes) {
    TMediaInput input(std::move(bytes));
    return TMPEGAudio::ScanAllFrames(input);
}

TEST(MPEGHeader, DecodesEveryFieldOfAnMp3Header) {
    TMPEGAudio audio;
    ASSERT_TRUE(audio.ParseHeader(0xFFFB906Cu | 0x103u));  // private bit, copyright, emphasis 3
    EXPECT_EQ(audio.Version, 1);
    EXPECT_EQ(audio.VersionName, "MPEG v.1");
    EXPECT_EQ(audio.Layer, 3);
    EXPECT_EQ(audio.LayerName, "Layer III");
    EXPECT_TRUE(audio.ProtectionBit);
    EXPECT_EQ(audio.BitRate, 128);
    EXPECT_EQ(audio.SampleRate, 44100);
    EXPECT_FALSE(audio.Padding);
    EXPECT_TRUE(audio.PrivateBit);
    EXPECT_EQ(audio.ChannelMode, 1);
    EXPECT_EQ(audio.ChannelModeName, "Joint Stereo");
    EXPECT_EQ(audio.ModeExtension, 2);
    EXPECT_TRUE(audio.Copyright);
    EXPECT_TRUE(audio.Original);
    EXPECT_EQ(audio.Emphasis, 3);
    EXPECT_EQ(audio.EmphasisName, "CCIT J.17");
    EXPECT_EQ(audio.FrameLength, 417);
    EXPECT_EQ(audio.SamplesPerFrame(), 1152);
}

TEST(MPEGHeader, FrameLengthsOfEachLayerAndVersion) {
    struct Case {
        uint32_t word;
        uint16_t bitRate;
        uint16_t sampleRate;
        uint16_t frameLength;
        int samples;
    };
    const Case cases[] = {
        {kMp3Header128, 128, 44100, 417, 1152},
        {kMp3Header128 | 0x200, 128, 44100, 418, 1152},
        {HeaderWord(kMpeg2, kLayer3, 8, 0), 64, 22050, 208, 576},
        {HeaderWord(kMpeg25, kLayer3, 8, 0), 64, 11025, 417, 576},
        {HeaderWord(kMpeg1, kLayer1, 1, 0), 32, 44100, 32, 384},
        {HeaderWord(kMpeg1, kLayer1, 1, 0, true), 32, 44100, 36, 384},
        {HeaderWord(kMpeg1, kLayer1, 14, 1), 448, 48000, 448, 384},
        {HeaderWord(kMpeg1, kLayer2, 14, 2), 384, 32000, 1728, 1152},
        {HeaderWord(kMpeg1, kLayer3, 14, 1), 320, 48000, 960, 1152},
        {HeaderWord(kMpeg2, kLayer1, 14, 1), 256, 24000, 512, 384},
        {HeaderWord(kMpeg2, kLayer2, 1, 2), 8, 16000, 72, 1152},
        {HeaderWord(kMpeg25, kLayer3, 1, 2), 8, 8000, 72, 576},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.word);
        TMPEGAudio audio;
        ASSERT_TRUE(audio.ParseHeader(c.word));
        EXPECT_EQ(audio.BitRate, c.bitRate);
        EXPECT_EQ(audio.SampleRate, c.sampleRate);
        EXPECT_EQ(audio.FrameLength, c.frameLength);
        EXPECT_EQ(audio.SamplesPerFrame(), c.samples);
    }
}

TEST(MPEGHeader, ForbiddenBitRateIsUnusableAndClearsTheRate) {
    TMPEGAudio audio;
    ASSERT_TRUE(audio.ParseHeader(kMp3Header128));
    EXPECT_FALSE(audio.ParseHeader(HeaderWord(kMpeg1, kLayer3, 15, 1, true)));
    EXPECT_EQ(audio.BitRate, 0);
    // It fails before the sample rate and the length are reached.
    EXPECT_EQ(audio.SampleRate, 44100);
    EXPECT_EQ(audio.FrameLength, 417);
    EXPECT_FALSE(audio.ParseHeader(HeaderWord(kMpeg2, kLayer1, 15, 0)));
}

TEST(MPEGHeader, FreeFormatLengthIsThePaddingAlone) {
    TMPEGAudio audio;
    ASSERT_TRUE(audio.ParseHeader(HeaderWord(kMpeg1, kLayer3, 0, 0)));
    EXPECT_EQ(audio.BitRate, 0);
    EXPECT_EQ(audio.FrameLength, 0);
    ASSERT_TRUE(audio.ParseHeader(HeaderWord(kMpeg1, kLayer2, 0, 0, true)));
    EXPECT_EQ(audio.FrameLength, 1);
    ASSERT_TRUE(audio.ParseHeader(HeaderWord(kMpeg1, kLayer1, 0, 0, true)));
    EXPECT_EQ(audio.FrameLength, 4);
}

TEST(MPEGHeader, DisplayTextsOfTheOtherCodes) {
    TMPEGAudio audio;
    ASSERT_TRUE(audio.ParseHeader((HeaderWord(kMpeg25, kLayer2, 1, 0) & ~0xC3u) | 0xC1u));
    EXPECT_EQ(audio.VersionName, "MPEG v.2.5");
    EXPECT_EQ(audio.LayerName, "Layer II");
    EXPECT_EQ(audio.ChannelModeName, "Mono");
    EXPECT_EQ(audio.EmphasisName, "50/15 ms");
    ASSERT_TRUE(audio.ParseHeader((HeaderWord(kMpeg2, kLayer1, 1, 0) & ~0xC3u) | 0x82u));
    EXPECT_EQ(audio.VersionName, "MPEG v.2");
    EXPECT_EQ(audio.LayerName, "Layer I");
    EXPECT_EQ(audio.ChannelModeName, "Dual Channel");
    EXPECT_EQ(audio.EmphasisName, "reserved");
    ASSERT_TRUE(audio.ParseHeader(HeaderWord(kMpeg2, kLayer1, 1, 0) & ~0xC3u));
    EXPECT_EQ(audio.ChannelModeName, "Stereo");
    EXPECT_EQ(audio.EmphasisName, "none");
}

TEST(MPEGHeader, FailedTestsLeaveLaterFieldsAsTheyWere) {
    TMPEGAudio audio;
    ASSERT_TRUE(audio.ParseHeader(kMp3Header128));

    EXPECT_FALSE(audio.ParseHeader(0x12345678));  // no sync
    EXPECT_EQ(audio.Version, 0);
    EXPECT_EQ(audio.Layer, 3);
    EXPECT_EQ(audio.VersionName, "MPEG v.1");

    ASSERT_TRUE(audio.ParseHeader(kMp3Header128));
    EXPECT_FALSE(audio.ParseHeader(HeaderWord(test::kReservedVersion, kLayer1, 1, 0)));
    EXPECT_EQ(audio.Version, 0);
    EXPECT_EQ(audio.Layer, 3);

    EXPECT_FALSE(audio.ParseHeader(HeaderWord(kMpeg2, test::kReservedLayer, 1, 0)));
    EXPECT_EQ(audio.Version, 2);
    EXPECT_EQ(audio.Layer, 0);
    EXPECT_EQ(audio.BitRate, 128);
    EXPECT_EQ(audio.LayerName, "Layer III");

    // A reserved sample rate comes after the bit rate and flags but before the length.
    ASSERT_TRUE(audio.ParseHeader(kMp3Header128));
    EXPECT_FALSE(audio.ParseHeader(HeaderWord(kMpeg1, kLayer3, 14, 3, true)));
    EXPECT_EQ(audio.BitRate, 320);
    EXPECT_TRUE(audio.Padding);
    EXPECT_EQ(audio.SampleRate, 0);
    EXPECT_EQ(audio.FrameLength, 417);
}

TEST(MPEGFirstHeader, StreamsTooSmallOrWithoutSyncRaise) {
    EXPECT_EQ(FirstHeaderError({0xFF, 0xFB, 0x90}), msg::MPEGTooSmall);
    EXPECT_EQ(FirstHeaderError({0, 0, 0, 0}), msg::MPEGHeaderNotFound);
    EXPECT_EQ(FirstHeaderError({}), msg::MPEGTooSmall);
    // The size test is on the whole stream: two bytes after the position are not "too small".
    EXPECT_EQ(FirstHeaderError({1, 2, 3, 4, 5, 6}, 4), msg::MPEGHeaderNotFound);
}

TEST(MPEGFirstHeader, ReservedFieldsNeverYieldAHeader) {
    const uint32_t reserved[] = {
        HeaderWord(test::kReservedVersion, kLayer3, 9, 0),
        HeaderWord(kMpeg1, test::kReservedLayer, 9, 0),
        HeaderWord(kMpeg1, kLayer3, 9, 3),
    };
    for (const uint32_t word : reserved) {
        SCOPED_TRACE(testing::Message() << std::hex << word);
        // Ending on the word: its sync bits decide for "found was invalid".
        auto bytes = HeaderBytes(word);
        bytes.insert(bytes.begin(), {1, 2, 3});
        EXPECT_EQ(FirstHeaderError(bytes), msg::MPEGHeaderInvalid);
        // Ending on four bytes without sync bits: "not found".
        bytes.insert(bytes.end(), {0, 0, 0, 0});
        EXPECT_EQ(FirstHeaderError(bytes), msg::MPEGHeaderNotFound);
    }
}

TEST(MPEGFirstHeader, FindsHeaderAfterGarbageAndStopsJustBehindIt) {
    std::vector<uint8_t> bytes = {0xFF, 0xEA, 0x90, 0x64, 0x12};  // reserved version
    AppendFrames(bytes, kMp3Header128, 417, 2);
    TMediaInput input(bytes);
    const auto audio = TMPEGAudio::ReadFirstHeader(input);
    EXPECT_EQ(input.Position(), 9);
    EXPECT_EQ(audio->BitRate, 128);
    EXPECT_EQ(audio->FrameCount, 0u);
    EXPECT_EQ(audio->Duration, 0);
}

TEST(MPEGFirstHeader, CallersStrictnessIsRestored) {
    TMediaInput strict(std::vector<uint8_t>(100, 0));
    EXPECT_THROW(TMPEGAudio::ScanAllFrames(strict), EMPEGError);
    EXPECT_TRUE(strict.Strict());

    TMediaInput loose(Frames(kMp3Header128, 417, 3));
    loose.SetStrict(false);
    TMPEGAudio::ScanAllFrames(loose);
    EXPECT_FALSE(loose.Strict());

    TMediaInput found(Frames(kMp3Header128, 417, 3));
    TMPEGAudio::ReadFirstHeader(found);
    EXPECT_TRUE(found.Strict());
}

// --- Junk in front of the audio ----------------------------------------------------------

// Both analyses of `bytes`, each started at `start` as the tag reader leaves the stream.
struct TBothModes {
    std::unique_ptr<TMPEGAudio> Quick;
    std::unique_ptr<TMPEGAudio> Walked;
};

TBothModes AnalyseFrom(const std::vector<uint8_t>& bytes, int64_t start) {
    TMediaInput quick(bytes);
    TMediaInput walked(bytes);
    quick.Seek(start);
    walked.Seek(start);
    return {TMPEGAudio::ScanQuick(quick), TMPEGAudio::ScanAllFrames(walked)};
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// MPEG-1 Layer I, 32 kbit/s, 32000 Hz: what a picture or text in a tag can look like.
const uint32_t kJunkLayer1 = 0xFFFF1800;
// MPEG-2 Layer III, 64 kbit/s, 24000 Hz.
const uint32_t kJunkMpeg2 = HeaderWord(kMpeg2, kLayer3, 8, 1);

struct TJunkCase {
    const char* name;
    std::vector<uint8_t> junk;  // between the first tag and the audio
    uint32_t audioWord;         // the real frames
    size_t audioLength;
    uint16_t bitRate;
    std::vector<uint8_t> trailer;  // after the audio
};

TEST(MPEGFalseHeaders, JunkNeverDecidesTheKindOrRatesOfTheAudio) {
    const uint32_t rate192 = HeaderWord(kMpeg1, kLayer3, 11, 0);  // 626-byte frames
    const std::vector<TJunkCase> cases = {
        {"second tag right after the first",
         test::ToBytes(test::Id3Tag(3, test::Id3TextFrame(3, "TIT2", "a") +
                                           test::BigEndianBytes(kJunkLayer1, 4) +
                                           std::string(300, '\0'))),
         kMp3Header128,
         417,
         128,
         {}},
        {"garbage holding an MPEG-2 word",
         std::vector<uint8_t>{1, 2, 3} + HeaderBytes(kJunkMpeg2) + std::vector<uint8_t>(500, 7),
         kMp3Header128,
         417,
         128,
         {}},
        {"garbage holding a forbidden-rate word",
         HeaderBytes(HeaderWord(kMpeg1, kLayer3, 15, 0)) + std::vector<uint8_t>(700, 0x55),
         rate192,
         626,
         192,
         {}},
        {"a header-like word after the audio", std::vector<uint8_t>(40, 0), kMp3Header128, 417, 128,
         HeaderBytes(HeaderWord(kMpeg1, kLayer3, 9, 1)) + std::vector<uint8_t>(30, 0)},
    };
    for (const TJunkCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> tag = test::ToBytes(test::Id3Tag(3, std::string(50, '\0')));
        const std::vector<uint8_t> bytes =
            tag + c.junk + Frames(c.audioWord, c.audioLength, 300) + c.trailer;
        const TBothModes both = AnalyseFrom(bytes, static_cast<int64_t>(tag.size()));
        for (const auto* audio : {both.Quick.get(), both.Walked.get()}) {
            EXPECT_EQ(audio->Version, 1);
            EXPECT_EQ(audio->Layer, 3);
            EXPECT_EQ(audio->SampleRate, 44100);
            EXPECT_EQ(audio->BitRate, c.bitRate);
            EXPECT_NEAR(audio->Duration, 300 * kMp3FrameSeconds, 2 * kMp3FrameSeconds);
        }
    }
}

TEST(MPEGFalseHeaders, LastFrameIsConfirmedByTheEndOrAnId3v1Tag) {
    const auto junk =
        std::vector<uint8_t>{9} + HeaderBytes(kJunkMpeg2) + std::vector<uint8_t>(9, 1);
    const auto id3v1 = test::ToBytes(test::Id3v1Tag("title"));
    for (const auto& trailer : {std::vector<uint8_t>{}, id3v1}) {
        const auto bytes = junk + Frames(kMp3Header128, 417, 1) + trailer;
        TMediaInput input(bytes);
        const auto audio = TMPEGAudio::ReadFirstHeader(input);
        EXPECT_EQ(input.Position(), static_cast<int64_t>(junk.size()) + 4);
        EXPECT_EQ(audio->SampleRate, 44100);
    }
}

TEST(MPEGFalseHeaders, WithoutAConfirmedHeaderTheFirstUsableOneIsTaken) {
    // A single frame cut short, and free-format frames, have nothing to confirm them.
    auto cut = Frames(kMp3Header128, 417, 1);
    cut.resize(300);
    TMediaInput input(std::vector<uint8_t>{0, 0} + cut);
    EXPECT_EQ(TMPEGAudio::ReadFirstHeader(input)->BitRate, 128);
    EXPECT_EQ(input.Position(), 6);
    // A tag whose size runs beyond the stream is searched like any other bytes.
    const auto bigTag = test::ToBytes(test::Id3Header(3, 100000));
    const auto audio = AnalyseFrom(bigTag + Frames(kMp3Header128, 417, 5), 0);
    EXPECT_EQ(audio.Walked->FrameCount, 5u);
}

TEST(MPEGFrameWalk, ThousandFramesGiveTheirPlayTimeAndBitRate) {
    const auto audio = Scan(Frames(kMp3Header128, 417, 1000));
    EXPECT_EQ(audio->FrameCount, 1000u);
    EXPECT_NEAR(audio->Duration, 26.1224, 1e-4);
    EXPECT_EQ(audio->BitRate, 128);
    EXPECT_EQ(audio->SampleRate, 44100);
}

TEST(MPEGFrameWalk, LowerSamplingFrequencyFramesCount576Samples) {
    const auto audio = Scan(Frames(HeaderWord(kMpeg2, kLayer3, 8, 0), 208, 50));
    EXPECT_EQ(audio->FrameCount, 50u);
    EXPECT_DOUBLE_EQ(audio->Duration, 50 * 576.0 / 22050.0);
    EXPECT_EQ(audio->BitRate, 64);
}

TEST(MPEGFrameWalk, PaddedFramesAreOneByteLonger) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 20; ++i)
        AppendFrames(bytes, kMp3Header128 | (i % 3 == 0 ? 0x200 : 0), i % 3 == 0 ? 418 : 417);
    EXPECT_EQ(Scan(bytes)->FrameCount, 20u);
}

TEST(MPEGFrameWalk, TrailingTagBlockCountsAsOneMoreFrameOfThePreviousKind) {
    auto bytes = Frames(kMp3Header128, 417, 10);
    bytes.insert(bytes.end(), {'T', 'A', 'G'});
    bytes.insert(bytes.end(), 125, ' ');
    const auto audio = Scan(bytes);
    EXPECT_EQ(audio->FrameCount, 11u);
    EXPECT_DOUBLE_EQ(audio->Duration, 11 * kMp3FrameSeconds);
    EXPECT_EQ(audio->BitRate, 128);
}

TEST(MPEGFrameWalk, PreviousKindDecidesThePlayTimeOfAnUnreadableWord) {
    // The word after the last MPEG-2 frame passes the version test (MPEG-1) but fails the
    // layer test; it still counts with 576 samples, like the frames before it.
    auto bytes = Frames(HeaderWord(kMpeg2, kLayer3, 8, 0), 208, 3);
    const auto bad = HeaderBytes(HeaderWord(kMpeg1, test::kReservedLayer, 8, 0));
    bytes.insert(bytes.end(), bad.begin(), bad.end());
    const auto audio = Scan(bytes);
    EXPECT_EQ(audio->FrameCount, 4u);
    EXPECT_DOUBLE_EQ(audio->Duration, 4 * 576.0 / 22050.0);
}

TEST(MPEGFrameWalk, PartialHeaderAtTheEndIsNotCounted) {
    for (const size_t extra : {1, 2, 3}) {
        auto bytes = Frames(kMp3Header128, 417, 10);
        bytes.insert(bytes.end(), extra, 0xFF);
        EXPECT_EQ(Scan(bytes)->FrameCount, 10u) << extra << " trailing bytes";
    }
}

TEST(MPEGFrameWalk, MeanBitRateIsTruncated) {
    std::vector<uint8_t> bytes;
    AppendFrames(bytes, kMp3Header128, 417, 2);
    AppendFrames(bytes, HeaderWord(kMpeg1, kLayer3, 11, 0), 626);  // 192 kbit/s
    const auto audio = Scan(bytes);
    EXPECT_EQ(audio->FrameCount, 3u);
    EXPECT_EQ(audio->BitRate, 149);  // 512 / 3
    EXPECT_DOUBLE_EQ(audio->Duration, 3 * kMp3FrameSeconds);
}

TEST(MPEGFrameWalk, ResynchronisesAfterAWordWithReservedSampleRate) {
    auto bytes = Frames(kMp3Header128, 417, 5);
    const auto bad = HeaderBytes(HeaderWord(kMpeg1, kLayer3, 9, 3));
    bytes.insert(bytes.end(), bad.begin(), bad.end());
    bytes.insert(bytes.end(), {0x00, 0xFF, 0x12, 0xFF, 0xE0, 0x00, 0x55});
    AppendFrames(bytes, kMp3Header128, 417, 7);
    const auto audio = Scan(bytes);
    EXPECT_EQ(audio->FrameCount, 12u);
    EXPECT_EQ(audio->SampleRate, 44100);
}

TEST(MPEGFrameWalk, FreeFormatFramesEndTheWalkAfterTheFirst) {
    // Without a bit rate no frame length is known, so the walk searches byte by byte for a
    // header with one, to the end of the stream.
    const auto audio = Scan(Frames(HeaderWord(kMpeg1, kLayer2, 0, 0, true), 200, 30));
    EXPECT_EQ(audio->FrameCount, 1u);
    EXPECT_EQ(audio->BitRate, 0);
}

TEST(MPEGFrameWalk, ForbiddenRateWordsAreSearchedPast) {
    // Such a word between frames makes the walk search on byte by byte, as a reserved
    // sample rate does; a stream of nothing else has no header at all.
    auto bytes = Frames(kMp3Header128, 417, 5);
    AppendFrames(bytes, HeaderWord(kMpeg1, kLayer3, 15, 0) | 0x0C, 20);
    AppendFrames(bytes, kMp3Header128, 417, 5);
    const auto audio = Scan(bytes);
    EXPECT_EQ(audio->FrameCount, 10u);
    EXPECT_EQ(audio->BitRate, 128);
    EXPECT_THROW(Scan(Frames(HeaderWord(kMpeg1, kLayer1, 15, 1, true) | 0x0C, 16, 100)),
                 EMPEGError);
}

TEST(MPEGFrameWalk, StartsAtTheStreamPosition) {
    std::vector<uint8_t> bytes(10, 0xFF);  // stands for a tag in front of the audio
    AppendFrames(bytes, kMp3Header128, 417, 4);
    TMediaInput input(bytes);
    input.Seek(10);
    EXPECT_EQ(TMPEGAudio::ScanAllFrames(input)->FrameCount, 4u);
}

TEST(MPEGFrameWalk, FileWalkFetchesEveryBlockOnceWithHeadersAcrossBorders) {
    // After 266 bytes of silence, frame 628's header starts 2 bytes before the first block
    // border (266 + 628 x 417 = 262142).
    std::vector<uint8_t> bytes(266, 0);
    AppendFrames(bytes, kMp3Header128, 417, 1500);
    test::TTempDir dir;
    const std::string name = dir.Path("walk.mp3");
    test::WriteFileBytes(name, std::string(bytes.begin(), bytes.end()));
    TMediaInput input(name);
    const auto audio = TMPEGAudio::ScanAllFrames(input);
    EXPECT_EQ(audio->FrameCount, 1500u);
    EXPECT_EQ(input.BytesFetched(), static_cast<int64_t>(bytes.size()));
}

}  // namespace
}  // namespace tracklore
