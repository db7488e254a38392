// Real MP3 files made by the common encoders and tag writers, scanned and compared with what
// the tools were told and with the length of the audio encoded. Each file is made once per
// test program, the first time a test asks for it; a test whose tool is missing is skipped.
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "media/id3v2.h"
#include "media/media_input.h"
#include "media/mpeg_audio.h"
#include "media/scan.h"
#include "tests/support/id3_builder.h"
#include "tests/support/mp3_factory.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::HaveTool;
using test::LameEncode;
using test::RunTool;

constexpr double kSeconds = 3.0;

// Skips the test when one of the tools is not installed.
#define REQUIRE_TOOLS(...)                                                \
    for (const std::string tool : {__VA_ARGS__}) {                        \
        if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed"; \
    }

// The interpreter that runs mid3v2, which is the one that has mutagen.
std::string MutagenPython() {
    std::ifstream script(test::FindTool("mid3v2"));
    std::string line;
    std::getline(script, line);
    return line.rfind("#!", 0) == 0 ? line.substr(2) : "python3";
}

class RealFiles : public testing::Test {
protected:
    static void SetUpTestSuite() { folder_ = new test::TTempDir(); }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
        made_.clear();
    }

    // A 44.1 kHz stereo WAV of kSeconds seconds, written once.
    static const std::string& Wav() {
        static std::string path;
        if (path.empty()) {
            path = folder_->Path("tone.wav");
            test::WriteWav(path, kSeconds, 44100, 2);
        }
        return path;
    }

    // The file `name`, made by `make(path)` the first time it is asked for.
    static std::string Made(const std::string& name,
                            const std::function<void(const std::string&)>& make) {
        auto found = made_.find(name);
        if (found != made_.end()) return found->second;
        const std::string path = folder_->Path(name);
        make(path);
        made_[name] = path;
        return path;
    }

    // A lame file without tags, to be tagged by another tool.
    static std::string Untagged(const std::string& name) {
        const std::string path = folder_->Path(name);
        LameEncode(Wav(), path, {"-b", "128"});
        return path;
    }

    static const Tid3v2& Analysed(const std::string& path) {
        static std::map<std::string, std::unique_ptr<Tid3v2>> tags;
        auto& tag = tags[path];
        if (!tag) tag = std::make_unique<Tid3v2>(path, true);
        return *tag;
    }

    // The play time counted from the frames is the encoded audio's length give or take the
    // encoder's padding and one summary frame.
    static void ExpectTrueLength(const std::string& path) {
        const Tid3v2& tag = Analysed(path);
        ASSERT_NE(tag.Audio, nullptr);
        EXPECT_NEAR(tag.Audio->Duration, test::WavSeconds(kSeconds, 44100), 1.0);
        const TrackRecord record = ScanRecord(path);
        EXPECT_EQ(record.PlayLength, static_cast<uint16_t>(tag.Audio->Duration));
    }

    static test::TTempDir* folder_;
    static std::map<std::string, std::string> made_;
};

test::TTempDir* RealFiles::folder_ = nullptr;
std::map<std::string, std::string> RealFiles::made_;

// --- Encoders ---------------------------------------------------------------------------

TEST_F(RealFiles, LameConstantBitRateWithTags) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("cbr.mp3", [](const std::string& out) {
        LameEncode(Wav(), out,
                   {"-b", "128", "--add-id3v2", "--tt", "Title", "--ta", "Artist", "--tl", "Album",
                    "--ty", "2001", "--tc", "Comment", "--tg", "Rock"});
    });
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Artist.view(), "Artist");
    EXPECT_EQ(record.Title.view(), "Title");
    EXPECT_EQ(record.Album.view(), "Album");
    EXPECT_EQ(record.Year.view(), "2001");
    EXPECT_EQ(record.Comment.view(), "Comment");
    EXPECT_EQ(record.Genre, 17);
    EXPECT_EQ(record.BitRate, 128);
    EXPECT_EQ(record.SampleRate, 44100);
    ExpectTrueLength(path);
}

TEST_F(RealFiles, LameVariableBitRate) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("vbr.mp3", [](const std::string& out) {
        LameEncode(Wav(), out, {"-V", "2"});
    });
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.SampleRate, 44100);
    EXPECT_GE(record.BitRate, 32);
    EXPECT_LE(record.BitRate, 320);
    EXPECT_EQ(record.Genre, kGenreUnknown);
    ExpectTrueLength(path);
}

TEST_F(RealFiles, LameAverageBitRate) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("abr.mp3", [](const std::string& out) {
        LameEncode(Wav(), out, {"--abr", "96"});
    });
    const TrackRecord record = ScanRecord(path);
    EXPECT_NEAR(record.BitRate, 96, 40);
    ExpectTrueLength(path);
}

TEST_F(RealFiles, LameMpeg2SampleRate) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("mpeg2.mp3", [](const std::string& out) {
        LameEncode(Wav(), out, {"--resample", "22.05", "-b", "64"});
    });
    EXPECT_EQ(Analysed(path).Audio->Version, 2);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.SampleRate, 22050);
    EXPECT_EQ(record.BitRate, 64);
    ExpectTrueLength(path);
}

TEST_F(RealFiles, LameMpeg25SampleRate) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("mpeg25.mp3", [](const std::string& out) {
        LameEncode(Wav(), out, {"--resample", "11.025", "-b", "32"});
    });
    EXPECT_EQ(Analysed(path).Audio->Version, 3);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.SampleRate, 11025);
    EXPECT_EQ(record.BitRate, 32);
    ExpectTrueLength(path);
}

TEST_F(RealFiles, LameMono) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("mono.mp3", [](const std::string& out) {
        LameEncode(Wav(), out, {"-m", "m", "-b", "64"});
    });
    EXPECT_EQ(Analysed(path).Audio->ChannelMode, 3);
    EXPECT_EQ(ScanRecord(path).BitRate, 64);
    ExpectTrueLength(path);
}

TEST_F(RealFiles, FfmpegVersion4TagsGiveYearFromRecordingTime) {
    REQUIRE_TOOLS("ffmpeg");
    const std::string path = Made("ffmpeg.mp3", [](const std::string& out) {
        RunTool({"ffmpeg",
                 "-nostdin",
                 "-v",
                 "error",
                 "-y",
                 "-i",
                 Wav(),
                 "-c:a",
                 "libmp3lame",
                 "-b:a",
                 "128k",
                 "-metadata",
                 "title=T\xC3\xADtulo",
                 "-metadata",
                 "artist=Artista",
                 "-metadata",
                 "album=\xC3\x81lbum",
                 "-metadata",
                 "date=2005",
                 "-metadata",
                 "genre=Jazz",
                 out});
    });
    EXPECT_EQ(Analysed(path).MajorVersion(), 4);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Title.view(), "T\xC3\xADtulo");
    EXPECT_EQ(record.Artist.view(), "Artista");
    EXPECT_EQ(record.Album.view(), "\xC3\x81lbum");
    EXPECT_EQ(record.Year.view(), "2005");
    EXPECT_EQ(record.Genre, 8);
    EXPECT_EQ(record.BitRate, 128);
    ExpectTrueLength(path);
}

// --- Tag writers ------------------------------------------------------------------------

TEST_F(RealFiles, Id3v2ToolVersion3Tag) {
    REQUIRE_TOOLS("lame", "id3v2");
    const std::string path = Made("id3v2.mp3", [](const std::string& out) {
        const std::string plain = Untagged("id3v2.mp3");
        RunTool({"id3v2", "-2", "-a", "Artist", "-t", "Title", "-A", "Album", "-y", "1999", "-c",
                 "Comment", "-g", "17", plain});
        EXPECT_EQ(plain, out);
    });
    EXPECT_EQ(Analysed(path).TagKind, 2);
    EXPECT_EQ(Analysed(path).MajorVersion(), 3);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Artist.view(), "Artist");
    EXPECT_EQ(record.Title.view(), "Title");
    EXPECT_EQ(record.Album.view(), "Album");
    EXPECT_EQ(record.Year.view(), "1999");
    EXPECT_EQ(record.Comment.view(), "Comment");
    EXPECT_EQ(record.Genre, 17);
    EXPECT_EQ(record.BitRate, 128);
}

TEST_F(RealFiles, Id3v2ToolVersion1Tag) {
    REQUIRE_TOOLS("lame", "id3v2");
    const std::string path = Made("id3v1.mp3", [](const std::string& out) {
        const std::string plain = Untagged("id3v1.mp3");
        RunTool({"id3v2", "-1", "-a", "Artist", "-t", "Title", "-A", "Album", "-y", "1999", "-c",
                 "Comment", "-g", "8", plain});
        EXPECT_EQ(plain, out);
    });
    EXPECT_EQ(Analysed(path).TagKind, 1);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Artist.view(), "Artist");
    EXPECT_EQ(record.Title.view(), "Title");
    EXPECT_EQ(record.Album.view(), "Album");
    EXPECT_EQ(record.Year.view(), "1999");
    EXPECT_EQ(record.Comment.view(), "Comment");
    EXPECT_EQ(record.Genre, 8);
    // The tag at the end counts as one frame more; the bit rate stays that of the frames.
    EXPECT_EQ(record.BitRate, 128);
    ExpectTrueLength(path);
}

TEST_F(RealFiles, EyeD3Version3Utf16Texts) {
    REQUIRE_TOOLS("lame", "eyeD3");
    const std::string path = Made("eyed3.mp3", [](const std::string& out) {
        const std::string plain = Untagged("eyed3.mp3");
        RunTool({"eyeD3", "--quiet", "--to-v2.3", "--encoding", "utf16", "-a", "\xC3\x84rtist",
                 "-t", "T\xC3\xADtle \xE2\x99\xAB", "-A", "\xC3\x81lbum", "-G", "Rock",
                 "--recording-date", "1999", "-c", "C\xC3\xB6mment", plain});
        EXPECT_EQ(plain, out);
    });
    EXPECT_EQ(Analysed(path).MajorVersion(), 3);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Artist.view(), "\xC3\x84rtist");
    EXPECT_EQ(record.Title.view(), "T\xC3\xADtle \xE2\x99\xAB");
    EXPECT_EQ(record.Album.view(), "\xC3\x81lbum");
    EXPECT_EQ(record.Comment.view(), "C\xC3\xB6mment");
    EXPECT_EQ(record.Year.view(), "1999");
    EXPECT_EQ(record.Genre, 17);
}

TEST_F(RealFiles, EyeD3Version4RecordingTime) {
    REQUIRE_TOOLS("lame", "eyeD3");
    const std::string path = Made("eyed3v4.mp3", [](const std::string& out) {
        const std::string plain = Untagged("eyed3v4.mp3");
        RunTool({"eyeD3", "--quiet", "--to-v2.4", "--encoding", "utf8", "-t", "Title",
                 "--recording-date", "2012-03-04", "-G", "Jazz", plain});
        EXPECT_EQ(plain, out);
    });
    EXPECT_EQ(Analysed(path).MajorVersion(), 4);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Title.view(), "Title");
    EXPECT_EQ(record.Year.view(), "2012");
    EXPECT_EQ(record.Genre, 8);
}

TEST_F(RealFiles, Mid3v2Version4SeveralValuesAndTerminators) {
    REQUIRE_TOOLS("lame", "mid3v2");
    const std::string path = Made("mid3v2.mp3", [](const std::string& out) {
        const std::string plain = Untagged("mid3v2.mp3");
        RunTool({"mid3v2", "-a", "One", "-a", "Two", "-t", "T\xC3\xBC", "-g", "Rock", "-y",
                 "2010-06-07", plain});
        EXPECT_EQ(plain, out);
    });
    EXPECT_EQ(Analysed(path).MajorVersion(), 4);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Artist.view(), "One / Two");
    EXPECT_EQ(record.Title.view(), "T\xC3\xBC");
    EXPECT_EQ(record.Year.view(), "2010");
    EXPECT_EQ(record.Genre, 17);
}

TEST_F(RealFiles, MutagenVersion3Tag) {
    REQUIRE_TOOLS("lame", "mid3v2");
    const std::string path = Made("mutagen3.mp3", [](const std::string& out) {
        const std::string plain = Untagged("mutagen3.mp3");
        RunTool({MutagenPython(), "-c",
                 "import sys\n"
                 "from mutagen.id3 import ID3, TIT2, TPE1, TYER, TCON\n"
                 "t = ID3()\n"
                 "t.add(TIT2(encoding=1, text=['\xC3\x9C"
                 "ber']))\n"
                 "t.add(TPE1(encoding=0, text=['Caf\xC3\xA9']))\n"
                 "t.add(TYER(encoding=0, text=['1987']))\n"
                 "t.add(TCON(encoding=0, text=['Jazz']))\n"
                 "t.save(sys.argv[1], v2_version=3)\n",
                 plain});
        EXPECT_EQ(plain, out);
    });
    EXPECT_EQ(Analysed(path).MajorVersion(), 3);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Title.view(),
              "\xC3\x9C"
              "ber");
    EXPECT_EQ(record.Artist.view(), "Caf\xC3\xA9");  // Windows-1252 in the tag
    EXPECT_EQ(record.Year.view(), "1987");
    EXPECT_EQ(record.Genre, 8);
}

TEST_F(RealFiles, MutagenVersion4Utf16SeveralValues) {
    REQUIRE_TOOLS("lame", "mid3v2");
    const std::string path = Made("mutagen4.mp3", [](const std::string& out) {
        const std::string plain = Untagged("mutagen4.mp3");
        RunTool({MutagenPython(), "-c",
                 "import sys\n"
                 "from mutagen.id3 import ID3, TPE1, TCON\n"
                 "t = ID3()\n"
                 "t.add(TPE1(encoding=1, text=['Ann', 'Bob']))\n"
                 "t.add(TCON(encoding=1, text=['Jazz', 'Rock']))\n"
                 "t.save(sys.argv[1], v2_version=4)\n",
                 plain});
        EXPECT_EQ(plain, out);
    });
    // Every value brings its own byte-order mark; none of them may end up in the texts.
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Artist.view(), "Ann / Bob");
    EXPECT_EQ(record.Genre, 8);
}

// --- The quick analysis against the walk ----------------------------------------------

// Files long enough that the few places the quick analysis reads are a small part of them.
class RealFilesQuick : public RealFiles {
protected:
    static constexpr double kLongSeconds = 60.0;

    static const std::string& LongWav() {
        static std::string path;
        if (path.empty()) {
            path = folder_->Path("long.wav");
            test::WriteWav(path, kLongSeconds, 44100, 2);
        }
        return path;
    }

    // Checks the quick values of a tag-less file against the walk's, and that the quick
    // analysis found them the expected way; returns the quick analysis.
    static std::unique_ptr<TMPEGAudio> ExpectAgreement(const std::string& path,
                                                       TLengthSource source) {
        TMediaInput walkInput(path);
        const auto walked = TMPEGAudio::ScanAllFrames(walkInput);
        TMediaInput quickInput(path, TMediaInput::kSmallBlockSize);
        auto quick = TMPEGAudio::ScanQuick(quickInput);
        EXPECT_EQ(quick->LengthSource, source);
        EXPECT_NEAR(quick->Duration, walked->Duration, 1.0);
        EXPECT_NEAR(quick->Duration, test::WavSeconds(kLongSeconds, 44100), 1.0);
        EXPECT_EQ(quick->SampleRate, walked->SampleRate);
        EXPECT_LT(quickInput.BytesFetched(), walkInput.BytesFetched() / 20);

        // The records of both scans differ in nothing else.
        TScanOptions whole;
        whole.ScanVBR = true;
        TrackRecord slow = ScanRecord(path, whole);
        TrackRecord fast = ScanRecord(path);
        EXPECT_NEAR(fast.PlayLength, slow.PlayLength, 1);
        EXPECT_NEAR(fast.BitRate, slow.BitRate, 2);
        fast.PlayLength = slow.PlayLength;
        fast.BitRate = slow.BitRate;
        EXPECT_TRUE(fast == slow);
        return quick;
    }
};

TEST_F(RealFilesQuick, LameConstantRateInfoHeader) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("q_cbr.mp3", [](const std::string& out) {
        LameEncode(LongWav(), out, {"-b", "192"});
    });
    EXPECT_EQ(ExpectAgreement(path, TLengthSource::XingHeader)->BitRate, 192);
}

TEST_F(RealFilesQuick, JunkBeforeTheAudioChangesNoValueInEitherScan) {
    REQUIRE_TOOLS("lame");
    const std::string clean = Made("q_cbr.mp3", [](const std::string& out) {
        LameEncode(LongWav(), out, {"-b", "192"});
    });
    // Two tags in a row, the second holding a word that reads as Layer I at 32,000 Hz, then
    // garbage holding an MPEG-2 word at 24,000 Hz, as files of real collections have them.
    const std::string path = Made("q_junk.mp3", [&](const std::string& out) {
        std::ifstream in(clean, std::ios::binary);
        const std::string audio((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        const std::string junk =
            test::Id3Tag(3, test::Id3TextFrame(3, "TIT2", "Junk")) +
            test::Id3Tag(3, std::string("\xFF\xFF\x18\x00", 4) + std::string(200, '\0')) +
            "xy\xFF\xF3\x84\x64" + std::string(300, '\x55');
        test::WriteFileBytes(out, junk + audio);
    });
    TScanOptions whole;
    whole.ScanVBR = true;
    for (const auto& options : {TScanOptions{}, whole}) {
        const TrackRecord want = ScanRecord(clean, options);
        const TrackRecord got = ScanRecord(path, options);
        EXPECT_EQ(got.Title.view(), "Junk");
        EXPECT_EQ(got.SampleRate, 44100);
        EXPECT_EQ(got.BitRate, want.BitRate);
        EXPECT_EQ(got.PlayLength, want.PlayLength);
    }
}

TEST_F(RealFilesQuick, LameVariableRateXingHeader) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("q_vbr.mp3", [](const std::string& out) {
        LameEncode(LongWav(), out, {"-V", "2"});
    });
    ExpectAgreement(path, TLengthSource::XingHeader);
}

TEST_F(RealFilesQuick, LameConstantRateWithoutHeader) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("q_cbr_bare.mp3", [](const std::string& out) {
        LameEncode(LongWav(), out, {"-t", "-b", "128"});
    });
    EXPECT_EQ(ExpectAgreement(path, TLengthSource::ConstantRate)->BitRate, 128);
}

TEST_F(RealFilesQuick, LameVariableRateWithoutHeaderIsWalked) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("q_vbr_bare.mp3", [](const std::string& out) {
        LameEncode(LongWav(), out, {"-t", "-V", "0"});
    });
    TMediaInput input(path, TMediaInput::kSmallBlockSize);
    const auto quick = TMPEGAudio::ScanQuick(input);
    EXPECT_NEAR(quick->Duration, test::WavSeconds(kLongSeconds, 44100), 1.0);
}

TEST_F(RealFilesQuick, FfmpegVariableRateXingHeader) {
    REQUIRE_TOOLS("ffmpeg");
    const std::string path = Made("q_ffmpeg.mp3", [](const std::string& out) {
        test::FfmpegEncode(LongWav(), out, {"-q:a", "2"});
    });
    ExpectAgreement(path, TLengthSource::XingHeader);
}

TEST_F(RealFilesQuick, Mpeg2MonoXingOffset) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("q_mpeg2.mp3", [](const std::string& out) {
        LameEncode(LongWav(), out, {"-m", "m", "--resample", "22.05", "-V", "4"});
    });
    EXPECT_EQ(ExpectAgreement(path, TLengthSource::XingHeader)->SampleRate, 22050);
}

// --- A folder of them -------------------------------------------------------------------

TEST_F(RealFiles, FolderOfEncodedFilesScansWithoutErrors) {
    REQUIRE_TOOLS("lame");
    test::TTempDir folder;
    LameEncode(Wav(), folder.Path("a.mp3"), {"-b", "96"});
    LameEncode(Wav(), folder.Path("b.MP3"), {"-V", "5"});
    TTracklore catalogue;
    std::vector<std::string> errors;
    ScanFolder(catalogue, folder.Root(), errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(catalogue.Count(), 2);
}

}  // namespace
}  // namespace tracklore
