// The playing engine through its eight exported calls, writing to a WAV file or discarding
// the sound; never to a real device.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

#include "engine/mpegdll.h"
#include "tests/support/env_guard.h"
#include "tests/support/playback_files.h"
#include "tests/support/require_tool.h"

namespace tracklore {
namespace {

using test::kSamplesPerFrame;

// Waits for the engine to clear the play flag.
bool WaitForEnd(const uint8_t& flag) {
    return test::WaitUntil([&flag] { return std::atomic_ref<const uint8_t>(flag).load() == 0; });
}

class MpegEngine : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_TOOLS("lame");
        ASSERT_EQ(init(), 1);
    }
    void TearDown() override { deinit(); }
    void UseOutput(const std::string& output) const { output_.Set(output); }
    /// Makes a long MP3 of `frames` frames at `mp3` and opens it in the engine.
    void OpenLongMp3(size_t frames, std::string& mp3) {
        mp3 = test::MakeLongMp3(dir_, "long.mp3", frames);
        ASSERT_EQ(OpenFile(mp3), 1);
    }
    /// Plays frames `from` to `to` (-1: to the end) of the open file and waits for the end.
    static void PlayToEnd(uint8_t& flag, int32_t from = 0, int32_t to = -1) {
        ASSERT_EQ(Play(from, to, &flag), 1);
        ASSERT_TRUE(WaitForEnd(flag));
    }
    static int32_t OpenFile(const std::string& path) {
        return Open(path.c_str(), 0, 0, 0, 0, 0, 0, 0, 0);
    }

    test::TTempDir dir_;
    test::TEnvGuard output_{"TRACKLORE_AUDIO_OUT", "null"};
};

TEST_F(MpegEngine, DecodesWholeFileToWavOfSourceLength) {
    const std::string mp3 = test::MakeToneMp3(dir_, "tone.mp3", 3.0);
    const int64_t sourceSamples = test::WavSampleFrames(dir_.Path("tone.mp3.source.wav"));
    const size_t frames = test::SplitFrames(test::ReadFileBytes(mp3)).Frames.size();
    UseOutput("wav:" + dir_.Path("out.wav"));
    uint8_t flag = 0;
    ASSERT_EQ(OpenFile(mp3), 1);
    ASSERT_EQ(Play(0, -1, &flag), 1);
    ASSERT_TRUE(WaitForEnd(flag));
    ASSERT_EQ(Stop(), 1);  // joins the finished thread; the WAV file is closed by then

    const int64_t written = test::WavSampleFrames(dir_.Path("out.wav"));
    // The encoder's delay and padding are cut again, so what plays is what was encoded.
    EXPECT_NEAR(written, sourceSamples, kSamplesPerFrame);
    EXPECT_LE(written, static_cast<int64_t>(frames) * kSamplesPerFrame);
}

TEST_F(MpegEngine, PlaysOnlyTheAskedFrameRange) {
    UseOutput("wav:" + dir_.Path("range.wav"));
    uint8_t flag = 0;
    std::string mp3;
    ASSERT_NO_FATAL_FAILURE(OpenLongMp3(200, mp3));
    ASSERT_NO_FATAL_FAILURE(PlayToEnd(flag, 50, 80));
    Stop();
    EXPECT_EQ(test::WavSampleFrames(dir_.Path("range.wav")), 30 * kSamplesPerFrame);
}

TEST_F(MpegEngine, PlayAgainRestartsFromTheFirstFrame) {
    uint8_t flag = 0;
    std::string mp3;
    ASSERT_NO_FATAL_FAILURE(OpenLongMp3(100, mp3));
    ASSERT_NO_FATAL_FAILURE(PlayToEnd(flag));
    UseOutput("wav:" + dir_.Path("again.wav"));
    ASSERT_NO_FATAL_FAILURE(PlayToEnd(flag));
    Stop();
    EXPECT_EQ(test::WavSampleFrames(dir_.Path("again.wav")), 100 * kSamplesPerFrame);
}

TEST_F(MpegEngine, PlayReturnsWhileSoundGoesOnAndStopEndsIt) {
    uint8_t flag = 0;
    std::string mp3;
    ASSERT_NO_FATAL_FAILURE(OpenLongMp3(40000, mp3));
    ASSERT_EQ(Play(0, -1, &flag), 1);
    EXPECT_EQ(std::atomic_ref<uint8_t>(flag).load(), 1);
    EXPECT_EQ(Stop(), 1);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(test::OpenDescriptorsOf(mp3), 1);  // Stop keeps the file open
    EXPECT_EQ(Close(), 1);
    EXPECT_EQ(test::OpenDescriptorsOf(mp3), 0);
}

TEST_F(MpegEngine, StoppedWavFileIsCompleteUpToWhereItStopped) {
    UseOutput("wav:" + dir_.Path("stopped.wav"));
    uint8_t flag = 0;
    std::string mp3;
    ASSERT_NO_FATAL_FAILURE(OpenLongMp3(40000, mp3));
    ASSERT_EQ(Play(0, -1, &flag), 1);
    ASSERT_EQ(Close(), 1);
    const int64_t written = test::WavSampleFrames(dir_.Path("stopped.wav"));
    EXPECT_GE(written, 0);
    EXPECT_LT(written, 40000 * kSamplesPerFrame);
}

TEST_F(MpegEngine, DeinitWhilePlayingEndsThePlayAndInitWorksAgain) {
    const std::string mp3 = test::MakeLongMp3(dir_, "long.mp3", 40000);
    const int threadsBefore = test::ThreadCount();
    uint8_t flag = 0;
    ASSERT_EQ(OpenFile(mp3), 1);
    ASSERT_EQ(Play(0, -1, &flag), 1);
    EXPECT_EQ(deinit(), 1);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(test::OpenDescriptorsOf(mp3), 0);
    EXPECT_EQ(test::ThreadCount(), threadsBefore);
    ASSERT_EQ(init(), 1);
    EXPECT_EQ(OpenFile(mp3), 1);
}

TEST_F(MpegEngine, OpenRefusesFilesWithoutMpegAudio) {
    test::WriteFileBytes(dir_.Path("text.mp3"), std::string(4000, 'x'));
    test::WriteFileBytes(dir_.Path("empty.mp3"), "");
    EXPECT_EQ(OpenFile(dir_.Path("text.mp3")), 0);
    EXPECT_EQ(OpenFile(dir_.Path("empty.mp3")), 0);
    EXPECT_EQ(OpenFile(dir_.Path("missing.mp3")), 0);
    EXPECT_EQ(OpenFile(dir_.Root()), 0);  // a folder
    EXPECT_EQ(Open(nullptr, 0, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(test::OpenDescriptorsOf(dir_.Path("text.mp3")), 0);
}

TEST_F(MpegEngine, PlayWithoutOpenedFileClearsFlagAndReturnsZero) {
    test::WriteFileBytes(dir_.Path("text.mp3"), std::string(4000, 'x'));
    OpenFile(dir_.Path("text.mp3"));
    uint8_t flag = 7;
    EXPECT_EQ(Play(0, -1, &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(Play(0, -1, nullptr), 0);
}

TEST_F(MpegEngine, TruncatedFilePlaysWhatIsThereAndEnds) {
    const std::string whole = test::ReadFileBytes(test::MakeLongMp3(dir_, "long.mp3", 100));
    test::WriteFileBytes(dir_.Path("cut.mp3"), whole.substr(0, whole.size() / 2 + 77));
    UseOutput("wav:" + dir_.Path("cut.wav"));
    uint8_t flag = 0;
    ASSERT_EQ(OpenFile(dir_.Path("cut.mp3")), 1);
    ASSERT_EQ(Play(0, -1, &flag), 1);
    ASSERT_TRUE(WaitForEnd(flag));
    Stop();
    EXPECT_NEAR(test::WavSampleFrames(dir_.Path("cut.wav")), 50 * kSamplesPerFrame,
                kSamplesPerFrame);
}

TEST_F(MpegEngine, UnknownOutputModuleEndsThePlayAtOnce) {
    UseOutput("no-such-module");
    uint8_t flag = 0;
    std::string mp3;
    ASSERT_NO_FATAL_FAILURE(OpenLongMp3(100, mp3));
    EXPECT_EQ(Play(0, -1, &flag), 1);
    EXPECT_TRUE(WaitForEnd(flag));
}

TEST_F(MpegEngine, OnlyOutputDeviceZeroIsAccepted) {
    EXPECT_EQ(SetOutputDevice(0, 0), 1);
    EXPECT_EQ(SetOutputDevice(1, 0), 0);
    EXPECT_EQ(SetOutputDevice(-1, 0), 0);
}

TEST(MpegEngineOrder, CallsBeforeInitDoNothing) {
    deinit();
    uint8_t flag = 3;
    EXPECT_EQ(Open("/dev/null", 0, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(Play(0, -1, &flag), 0);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(Stop(), 0);
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(SetPriority(5), 0);
    EXPECT_EQ(SetOutputDevice(0, 0), 0);
    EXPECT_EQ(deinit(), 1);
}

TEST(MpegEngineOrder, SecondInitKeepsTheEngineReady) {
    ASSERT_EQ(init(), 1);
    EXPECT_EQ(init(), 1);
    EXPECT_EQ(SetPriority(5), 1);
    EXPECT_EQ(deinit(), 1);
    EXPECT_EQ(deinit(), 1);
}

}  // namespace
}  // namespace tracklore
