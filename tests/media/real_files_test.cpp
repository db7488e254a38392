// Real MP3 files made by the common encoders and tag writers, scanned and compared with what
// the tools were told and with the length of the audio encoded. Each file is made once per
// test program, the first time a test asks for it; a test whose tool is missing is skipped.
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "media/id3v2.h"
#include "media/media_input.h"
#include "media/mpeg_audio.h"
#include "media/scan.h"
#include "tests/support/id3_builder.h"
#include "tests/support/mp3_factory.h"
#include "tests/support/require_tool.h"
#include "tests/support/table_tests.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::LameEncode;
using test::RunTool;
using Strings = std::vector<std::string>;

constexpr double kSeconds = 3.0;

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

    // A 44.1 kHz stereo WAV of kSeconds seconds, written once per test suite (each suite
    // has a folder of its own).
    static std::string Wav() {
        return Made("tone.wav",
                    [](const std::string& out) { test::WriteWav(out, kSeconds, 44100, 2); });
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

// --- Encoders and tag writers -----------------------------------------------------------

// What a scan of the file must give; what is left out is not looked at.
struct Expected {
    std::optional<std::string> Artist{}, Title{}, Album{};
    std::optional<int> Genre{};
    std::optional<std::string> Year{}, Comment{};
    std::optional<int> BitRate{}, SampleRate{};
    std::optional<std::pair<int, int>> BitRateRange{};  ///< lowest and highest
    std::optional<int> MpegVersion{}, ChannelMode{}, TagKind{}, TagVersion{};
    bool TrueLength = false;  ///< the play time is that of the encoded audio
};

// A file made from the tone: encoded by lame with `lame` (unless empty), then `command` run
// with "{wav}", "{out}" and "{python}" (mutagen's interpreter) replaced.
struct RealFileCase {
    const char* name;
    Strings tools;
    Strings lame;
    Strings command;
    Expected expect;
};

class RealFileScan : public RealFiles, public testing::WithParamInterface<RealFileCase> {
protected:
    static void Make(const RealFileCase& c, const std::string& out) {
        if (!c.lame.empty()) LameEncode(Wav(), out, c.lame);
        if (c.command.empty()) return;
        Strings command;
        for (const std::string& word : c.command)
            command.push_back(word == "{wav}"      ? Wav()
                              : word == "{out}"    ? out
                              : word == "{python}" ? MutagenPython()
                                                   : word);
        RunTool(command);
    }
};

template <typename T>
void ExpectIfGiven(const std::optional<T>& want, const T& got, const char* what) {
    if (want) {
        EXPECT_EQ(got, *want) << what;
    }
}

TEST_P(RealFileScan, ScanGivesWhatTheToolsWrote) {
    const RealFileCase& c = GetParam();
    REQUIRE_TOOLS(c.tools);
    const std::string path =
        Made(std::string(c.name) + ".mp3", [&c](const std::string& out) { Make(c, out); });
    const Expected& e = c.expect;
    const Tid3v2& tag = Analysed(path);
    if (e.MpegVersion || e.ChannelMode) {
        ASSERT_NE(tag.Audio, nullptr);
        ExpectIfGiven(e.MpegVersion, static_cast<int>(tag.Audio->Version), "MPEG version");
        ExpectIfGiven(e.ChannelMode, static_cast<int>(tag.Audio->ChannelMode), "channel mode");
    }
    ExpectIfGiven(e.TagKind, static_cast<int>(tag.TagKind), "tag kind");
    ExpectIfGiven(e.TagVersion, static_cast<int>(tag.MajorVersion()), "tag version");

    const TrackRecord record = ScanRecord(path);
    ExpectIfGiven(e.Artist, record.Artist.str(), "artist");
    ExpectIfGiven(e.Title, record.Title.str(), "title");
    ExpectIfGiven(e.Album, record.Album.str(), "album");
    ExpectIfGiven(e.Year, record.Year.str(), "year");
    ExpectIfGiven(e.Comment, record.Comment.str(), "comment");
    ExpectIfGiven(e.Genre, static_cast<int>(record.Genre), "genre");
    ExpectIfGiven(e.BitRate, static_cast<int>(record.BitRate), "bit rate");
    ExpectIfGiven(e.SampleRate, static_cast<int>(record.SampleRate), "sample rate");
    if (e.BitRateRange) {
        EXPECT_GE(record.BitRate, e.BitRateRange->first);
        EXPECT_LE(record.BitRate, e.BitRateRange->second);
    }
    if (e.TrueLength) ExpectTrueLength(path);
}

const Strings kTagged = {"-b", "128"};  // the plain file a tag writer is run on

// ffmpeg's words, split at the blanks.
Strings FfmpegCommand() {
    std::istringstream line(
        "ffmpeg -nostdin -v error -y -i {wav} -c:a libmp3lame -b:a 128k -metadata "
        "title=T\xC3\xADtulo -metadata artist=Artista -metadata album=\xC3\x81lbum -metadata "
        "date=2005 -metadata genre=Jazz {out}");
    return Strings(std::istream_iterator<std::string>(line), std::istream_iterator<std::string>());
}

const std::string kMutagen3 =
    "import sys\n"
    "from mutagen.id3 import ID3, TIT2, TPE1, TYER, TCON\n"
    "t = ID3()\n"
    "t.add(TIT2(encoding=1, text=['\xC3\x9C"
    "ber']))\n"
    "t.add(TPE1(encoding=0, text=['Caf\xC3\xA9']))\n"
    "t.add(TYER(encoding=0, text=['1987']))\n"
    "t.add(TCON(encoding=0, text=['Jazz']))\n"
    "t.save(sys.argv[1], v2_version=3)\n";

const std::string kMutagen4 =
    "import sys\n"
    "from mutagen.id3 import ID3, TPE1, TCON\n"
    "t = ID3()\n"
    "t.add(TPE1(encoding=1, text=['Ann', 'Bob']))\n"
    "t.add(TCON(encoding=1, text=['Jazz', 'Rock']))\n"
    "t.save(sys.argv[1], v2_version=4)\n";

const RealFileCase kRealFiles[] = {
    {"LameConstantBitRateWithTags",
     {"lame"},
     {"-b", "128", "--add-id3v2", "--tt", "Title", "--ta", "Artist", "--tl", "Album", "--ty",
      "2001", "--tc", "Comment", "--tg", "Rock"},
     {},
     {.Artist = "Artist",
      .Title = "Title",
      .Album = "Album",
      .Genre = 17,
      .Year = "2001",
      .Comment = "Comment",
      .BitRate = 128,
      .SampleRate = 44100,
      .TrueLength = true}},
    {"LameVariableBitRate",
     {"lame"},
     {"-V", "2"},
     {},
     {.Genre = kGenreUnknown,
      .SampleRate = 44100,
      .BitRateRange = std::pair(32, 320),
      .TrueLength = true}},
    {"LameAverageBitRate",
     {"lame"},
     {"--abr", "96"},
     {},
     {.BitRateRange = std::pair(96 - 40, 96 + 40), .TrueLength = true}},
    {"LameMpeg2SampleRate",
     {"lame"},
     {"--resample", "22.05", "-b", "64"},
     {},
     {.BitRate = 64, .SampleRate = 22050, .MpegVersion = 2, .TrueLength = true}},
    {"LameMpeg25SampleRate",
     {"lame"},
     {"--resample", "11.025", "-b", "32"},
     {},
     {.BitRate = 32, .SampleRate = 11025, .MpegVersion = 3, .TrueLength = true}},
    {"LameMono",
     {"lame"},
     {"-m", "m", "-b", "64"},
     {},
     {.BitRate = 64, .ChannelMode = 3, .TrueLength = true}},
    // ffmpeg writes a version-4 tag, whose year comes from the recording time.
    {"FfmpegVersion4TagsGiveYearFromRecordingTime",
     {"ffmpeg"},
     {},
     FfmpegCommand(),
     {.Artist = "Artista",
      .Title = "T\xC3\xADtulo",
      .Album = "\xC3\x81lbum",
      .Genre = 8,
      .Year = "2005",
      .BitRate = 128,
      .TagVersion = 4,
      .TrueLength = true}},
    {"Id3v2ToolVersion3Tag",
     {"lame", "id3v2"},
     kTagged,
     {"id3v2", "-2", "-a", "Artist", "-t", "Title", "-A", "Album", "-y", "1999", "-c", "Comment",
      "-g", "17", "{out}"},
     {.Artist = "Artist",
      .Title = "Title",
      .Album = "Album",
      .Genre = 17,
      .Year = "1999",
      .Comment = "Comment",
      .BitRate = 128,
      .TagKind = 2,
      .TagVersion = 3}},
    // The tag at the end counts as one frame more; the bit rate stays that of the frames.
    {"Id3v2ToolVersion1Tag",
     {"lame", "id3v2"},
     kTagged,
     {"id3v2", "-1", "-a", "Artist", "-t", "Title", "-A", "Album", "-y", "1999", "-c", "Comment",
      "-g", "8", "{out}"},
     {.Artist = "Artist",
      .Title = "Title",
      .Album = "Album",
      .Genre = 8,
      .Year = "1999",
      .Comment = "Comment",
      .BitRate = 128,
      .TagKind = 1,
      .TrueLength = true}},
    {"EyeD3Version3Utf16Texts",
     {"lame", "eyeD3"},
     kTagged,
     {"eyeD3", "--quiet", "--to-v2.3", "--encoding", "utf16", "-a", "\xC3\x84rtist", "-t",
      "T\xC3\xADtle \xE2\x99\xAB", "-A", "\xC3\x81lbum", "-G", "Rock", "--recording-date", "1999",
      "-c", "C\xC3\xB6mment", "{out}"},
     {.Artist = "\xC3\x84rtist",
      .Title = "T\xC3\xADtle \xE2\x99\xAB",
      .Album = "\xC3\x81lbum",
      .Genre = 17,
      .Year = "1999",
      .Comment = "C\xC3\xB6mment",
      .TagVersion = 3}},
    {"EyeD3Version4RecordingTime",
     {"lame", "eyeD3"},
     kTagged,
     {"eyeD3", "--quiet", "--to-v2.4", "--encoding", "utf8", "-t", "Title", "--recording-date",
      "2012-03-04", "-G", "Jazz", "{out}"},
     {.Title = "Title", .Genre = 8, .Year = "2012", .TagVersion = 4}},
    {"Mid3v2Version4SeveralValuesAndTerminators",
     {"lame", "mid3v2"},
     kTagged,
     {"mid3v2", "-a", "One", "-a", "Two", "-t", "T\xC3\xBC", "-g", "Rock", "-y", "2010-06-07",
      "{out}"},
     {.Artist = "One / Two", .Title = "T\xC3\xBC", .Genre = 17, .Year = "2010", .TagVersion = 4}},
    // The artist is Windows-1252 in the tag.
    {"MutagenVersion3Tag",
     {"lame", "mid3v2"},
     kTagged,
     {"{python}", "-c", kMutagen3, "{out}"},
     {.Artist = "Caf\xC3\xA9",
      .Title = "\xC3\x9C"
               "ber",
      .Genre = 8,
      .Year = "1987",
      .TagVersion = 3}},
    // Every value brings its own byte-order mark; none of them may end up in the texts.
    {"MutagenVersion4Utf16SeveralValues",
     {"lame", "mid3v2"},
     kTagged,
     {"{python}", "-c", kMutagen4, "{out}"},
     {.Artist = "Ann / Bob", .Genre = 8}},
};

INSTANTIATE_TEST_SUITE_P(RealFiles, RealFileScan, testing::ValuesIn(kRealFiles), test::CaseName());

// --- The quick analysis against the walk ----------------------------------------------

// Files long enough that the few places the quick analysis reads are a small part of them.
class RealFilesQuick : public RealFiles {
protected:
    static constexpr double kLongSeconds = 60.0;

    static std::string LongWav() {
        return Made("long.wav",
                    [](const std::string& out) { test::WriteWav(out, kLongSeconds, 44100, 2); });
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

// A long file made by lame (or, with `ffmpeg`, by ffmpeg) with `options`, analysed quickly
// and by the walk.
struct QuickCase {
    const char* name;
    bool ffmpeg;
    Strings options;
    TLengthSource source;
    std::optional<int> bitRate;
    std::optional<int> sampleRate;
};

class RealFilesQuickAgree : public RealFilesQuick, public testing::WithParamInterface<QuickCase> {};

TEST_P(RealFilesQuickAgree, QuickValuesAgreeWithTheWalk) {
    const QuickCase& c = GetParam();
    REQUIRE_TOOLS(c.ffmpeg ? "ffmpeg" : "lame");
    const std::string path =
        Made(std::string("q_") + c.name + ".mp3", [&c](const std::string& out) {
            if (c.ffmpeg) {
                test::FfmpegEncode(LongWav(), out, c.options);
            } else {
                LameEncode(LongWav(), out, c.options);
            }
        });
    const auto quick = ExpectAgreement(path, c.source);
    ExpectIfGiven(c.bitRate, static_cast<int>(quick->BitRate), "bit rate");
    ExpectIfGiven(c.sampleRate, static_cast<int>(quick->SampleRate), "sample rate");
}

INSTANTIATE_TEST_SUITE_P(
    RealFilesQuick, RealFilesQuickAgree,
    testing::Values(
        QuickCase{
            "LameConstantRateInfoHeader", false, {"-b", "192"}, TLengthSource::XingHeader, 192, {}},
        QuickCase{
            "LameVariableRateXingHeader", false, {"-V", "2"}, TLengthSource::XingHeader, {}, {}},
        QuickCase{"LameConstantRateWithoutHeader",
                  false,
                  {"-t", "-b", "128"},
                  TLengthSource::ConstantRate,
                  128,
                  {}},
        QuickCase{
            "FfmpegVariableRateXingHeader", true, {"-q:a", "2"}, TLengthSource::XingHeader, {}, {}},
        QuickCase{"Mpeg2MonoXingOffset",
                  false,
                  {"-m", "m", "--resample", "22.05", "-V", "4"},
                  TLengthSource::XingHeader,
                  {},
                  22050}),
    test::CaseName());

TEST_F(RealFilesQuick, JunkBeforeTheAudioChangesNoValueInEitherScan) {
    REQUIRE_TOOLS("lame");
    const std::string clean = Made("q_LameConstantRateInfoHeader.mp3", [](const std::string& out) {
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

TEST_F(RealFilesQuick, LameVariableRateWithoutHeaderIsWalked) {
    REQUIRE_TOOLS("lame");
    const std::string path = Made("q_vbr_bare.mp3", [](const std::string& out) {
        LameEncode(LongWav(), out, {"-t", "-V", "0"});
    });
    TMediaInput input(path, TMediaInput::kSmallBlockSize);
    const auto quick = TMPEGAudio::ScanQuick(input);
    EXPECT_NEAR(quick->Duration, test::WavSeconds(kLongSeconds, 44100), 1.0);
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
