// The scan of files and folders into records, over hand-built files in a private folder that
// an explicit drive table maps to a drive with a label.
#include "media/scan.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "media/id3v2.h"
#include "media/mpeg_audio.h"
#include "media/update.h"
#include "platform/date_time.h"
#include "platform/file_name_text.h"
#include "streams/stream_errors.h"
#include "tests/support/env_guard.h"
#include "tests/support/error_text.h"
#include "tests/support/mpeg_frames.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::TTempDir;
namespace fs = std::filesystem;

const std::string kNotFound = "Invalid MPEG-l3 file - header not found in stream";
const std::string kInvalid = "Invalid MPEG-l3 file - header found was invalid";

// MPEG-1 Layer III, 128 kbit/s, 44100 Hz: 417-byte frames of 1152 samples.
std::string Frames(int count) {
    return test::Mp3FrameBytes(count);
}

std::string BigEndian32(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string Synchsafe(uint32_t value) {
    return {static_cast<char>((value >> 21) & 0x7F), static_cast<char>((value >> 14) & 0x7F),
            static_cast<char>((value >> 7) & 0x7F), static_cast<char>(value & 0x7F)};
}

// A frame of a version-3 (or, with synchsafe sizes, version-4) tag.
std::string TagFrame(const std::string& id, const std::string& data, int version = 3) {
    const auto size = static_cast<uint32_t>(data.size());
    return id + (version == 4 ? Synchsafe(size) : BigEndian32(size)) + std::string(2, '\0') + data;
}

std::string Text(const std::string& text) {
    return std::string(1, '\0') + text;  // encoding 0
}

std::string Tag(const std::string& frames, int version = 3) {
    return "ID3" + std::string{static_cast<char>(version), 0, 0} +
           Synchsafe(static_cast<uint32_t>(frames.size())) + frames;
}

class ScanTest : public testing::Test {
protected:
    std::string Put(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.Path(name);
        fs::create_directories(fs::path(path).parent_path());
        test::WriteFileBytes(path, bytes);
        return path;
    }

    // Scans the folder, noting every path the scan announces.
    void Scan(const std::string& folder) {
        catalogue_.SetOnScan(
            ScanEvent{[](void* context, TTracklore&, const std::string& path) {
                          static_cast<std::vector<std::string>*>(context)->push_back(path);
                      },
                      &announced_});
        ScanFolder(catalogue_, folder, errors_);
    }

    std::vector<std::string> Filenames() {
        std::vector<std::string> names;
        for (int slot = 0; slot < TTracklore::kSlotCount; ++slot) {
            if (const TrackRecord* record = catalogue_.SlotRecord(slot)) {
                names.emplace_back(record->Filename.view());
            }
        }
        return names;
    }

    TTempDir dir_;
    test::TEnvGuard drives_{"TRACKLORE_DRIVES", "c=/;m=" + dir_.Root() + "|MUSIC01"};
    TTracklore catalogue_;
    std::vector<std::string> errors_;
    std::vector<std::string> announced_;
};

// --- One file ---------------------------------------------------------------------------

TEST_F(ScanTest, RecordTakesTagTextsAudioSizeAndDate) {
    const std::string tag =
        Tag(TagFrame("TPE1", Text("Artist")) + TagFrame("TIT2", Text("Title")) +
            TagFrame("TALB", Text("Album")) + TagFrame("TYER", Text("1999")) +
            TagFrame("COMM", std::string("\0eng", 4) + "desc" + std::string(1, '\0') + "Comment") +
            TagFrame("TCON", Text("(17)")));
    const std::string path = Put("a.mp3", tag + Frames(100));
    const std::time_t when = 1000000000;  // 2001-09-09
    utimbuf times{when, when};
    ASSERT_EQ(utime(path.c_str(), &times), 0);

    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Volume.view(), "MUSIC01");
    EXPECT_EQ(record.Filename.view(), "/a.mp3");
    EXPECT_EQ(record.Artist.view(), "Artist");
    EXPECT_EQ(record.Title.view(), "Title");
    EXPECT_EQ(record.Album.view(), "Album");
    EXPECT_EQ(record.Year.view(), "1999");
    EXPECT_EQ(record.Comment.view(), "Comment");
    EXPECT_EQ(record.Genre, 17);
    EXPECT_EQ(record.PlayLength, 2);  // 100 x 1152 / 44100 = 2.61 s
    EXPECT_EQ(record.BitRate, 128);
    EXPECT_EQ(record.SampleRate, 44100);
    EXPECT_EQ(record.FileSize, tag.size() + 100 * 417);
    EXPECT_EQ(record.FileDate, platform::FileDateTime(when));
}

TEST_F(ScanTest, TaglessFileGetsEmptyTextsAndUnknownGenre) {
    const TrackRecord record = ScanRecord(Put("plain.mp3", Frames(20)));
    EXPECT_EQ(record.Artist.view(), "");
    EXPECT_EQ(record.Title.view(), "");
    EXPECT_EQ(record.Year.view(), "");
    EXPECT_EQ(record.Comment.view(), "");
    EXPECT_EQ(record.Genre, kGenreUnknown);
}

TEST_F(ScanTest, ZeroCharactersAreDroppedAtTheEndAndSeparateValues) {
    const std::string frames =
        TagFrame("TPE1", "\x03One" + std::string(1, '\0') + "Two" + std::string(1, '\0'), 4) +
        TagFrame("TIT2", "\x03Song" + std::string(2, '\0'), 4) +
        TagFrame("TCON", "\x03Rock" + std::string(1, '\0') + "Pop", 4);
    const TrackRecord record = ScanRecord(Put("multi.mp3", Tag(frames, 4) + Frames(5)));
    EXPECT_EQ(record.Artist.view(), "One / Two");
    EXPECT_EQ(record.Title.view(), "Song");
    EXPECT_EQ(record.Genre, 17);  // the first value, "Rock"
}

TEST_F(ScanTest, BareGenreNumberNamesTheGenre) {
    const auto genreOf = [&](const std::string& name, const std::string& text) {
        return ScanRecord(Put(name, Tag(TagFrame("TCON", "\x03" + text, 4), 4) + Frames(5))).Genre;
    };
    EXPECT_EQ(genreOf("bare.mp3", "17"), 17);
    EXPECT_EQ(genreOf("second.mp3", std::string("Pop\0", 4) + "17"), 13);
    EXPECT_EQ(genreOf("big.mp3", "256"), kGenreUnknown);
    EXPECT_EQ(genreOf("long.mp3", "0017"), kGenreUnknown);
}

TEST_F(ScanTest, TagObjectKeepsTheRawTexts) {
    const std::string path =
        Put("raw.mp3", Tag(TagFrame("TCON", Text("Rock" + std::string(1, '\0')))) + Frames(5));
    Tid3v2 tag(path, false);
    const auto* genre = dynamic_cast<const Tid3text*>(tag.FindFrame("TCON"));
    ASSERT_NE(genre, nullptr);
    EXPECT_EQ(genre->Text, std::string("Rock\0", 5));
    EXPECT_EQ(ScanRecord(path).Genre, 17);
}

TEST_F(ScanTest, YearComesFromRecordingTimeWhenTagHasNoYearFrame) {
    const std::string v4 = Tag(TagFrame("TDRC",
                                        "\x03"
                                        "2010-05-01",
                                        4),
                               4);
    EXPECT_EQ(ScanRecord(Put("v4.mp3", v4 + Frames(5))).Year.view(), "2010");

    const std::string both = Tag(TagFrame("TYER", Text("1999")) + TagFrame("TDRC", Text("2010")));
    EXPECT_EQ(ScanRecord(Put("both.mp3", both + Frames(5))).Year.view(), "1999");
}

TEST_F(ScanTest, Version2TagGivesTexts) {
    // Three-letter identifiers and three-byte sizes.
    const std::string frame = std::string("TT2\0\0\x06", 6) + Text("Hello");
    const std::string tag =
        std::string("ID3\x02\0\0", 6) + Synchsafe(static_cast<uint32_t>(frame.size())) + frame;
    EXPECT_EQ(ScanRecord(Put("v2.mp3", tag + Frames(5))).Title.view(), "Hello");
}

TEST_F(ScanTest, PlayLengthBeyondFieldIsKeptAtLargestValue) {
    // MPEG 2.5 Layer III, 8 kbit/s, 8000 Hz: 72-byte frames of 0.072 s. The zero bytes after
    // the one header count as frames of the same kind, so a sparse file of 66 MB plays
    // 66,000 s, beyond the 16-bit field.
    const std::string path = Put("long.mp3", std::string("\xFF\xE3\x18\xC0", 4));
    ASSERT_EQ(truncate(path.c_str(), 66'000'000), 0);
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.SampleRate, 8000);
    EXPECT_EQ(record.PlayLength, 65535);
}

TEST_F(ScanTest, PathWithoutFolderIsTakenInCurrentFolder) {
    Put("here.mp3", Frames(5));
    Put("sub/x.txt", "");
    const std::string before = fs::current_path();
    fs::current_path(dir_.Root());
    TrackRecord plain, dotted;
    try {
        plain = ScanRecord("here.mp3");
        dotted = ScanRecord("./sub/../here.mp3");
    } catch (...) {
        fs::current_path(before);
        throw;
    }
    fs::current_path(before);
    EXPECT_EQ(plain.Volume.view(), "MUSIC01");
    EXPECT_EQ(plain.Filename.view(), "/here.mp3");
    EXPECT_EQ(dotted.Filename.view(), "/here.mp3");
}

TEST_F(ScanTest, PathOnNoDriveGivesEmptyVolumeAndWholePath) {
    const std::string path = Put("off/a.mp3", Frames(5));
    drives_.Set("m=" + dir_.Path("elsewhere") + "|LABEL");
    const TrackRecord record = ScanRecord(path);
    EXPECT_EQ(record.Volume.view(), "");
    EXPECT_EQ(record.Filename.view(), path);
}

TEST_F(ScanTest, VolumeLabelIsAskedForEveryFile) {
    const std::string path = Put("a.mp3", Frames(5));
    EXPECT_EQ(ScanRecord(path).Volume.view(), "MUSIC01");
    drives_.Set("c=/;m=" + dir_.Root() + "|MUSIC02");
    EXPECT_EQ(ScanRecord(path).Volume.view(), "MUSIC02");
}

TEST_F(ScanTest, ScanFileInsertsWithNextIdentifierAndNoDuplicateTest) {
    const std::string path = Put("a.mp3", Frames(5));
    ScanFile(catalogue_, path);
    ScanFile(catalogue_, path);
    EXPECT_EQ(catalogue_.Count(), 2);
    EXPECT_EQ(catalogue_.SlotRecord(1)->ID, 2);
}

// --- Folders ----------------------------------------------------------------------------

TEST_F(ScanTest, FolderScanTakesMp3FilesInAnyCaseAndRecursesIntoFolders) {
    Put("a.MP3", Frames(5));
    Put("b.txt", Frames(5));
    Put("sub/c.mp3", Frames(5));
    Put("sub/deeper/d.Mp3", Frames(5));
    Scan(dir_.Root());

    std::vector<std::string> names = Filenames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"/a.MP3", "/sub/c.mp3", "/sub/deeper/d.Mp3"}));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ScanTest, EightBitNamesLeadBackToTheirFilesAfterEverySaveAndLoad) {
    // Latin-1 names as old CDs and FAT sticks give them, beside a UTF-8 name and a folder of
    // both kinds of part.
    const std::vector<std::string> onDisk = {"/Caf\xE9/\xE9t\xE9.mp3", "/Caf\xE9/caf\xC3\xA9.mp3",
                                             "/\xC3\xA9/ni\xF1o \x80.mp3"};
    for (const std::string& name : onDisk) {
        Put(name.substr(1), Frames(5));
        if (!fs::exists(dir_.Root() + name))
            GTEST_SKIP() << "the file system refuses names that are not UTF-8";
    }
    Scan(dir_.Root());
    ASSERT_TRUE(errors_.empty());
    const std::string catalogueFile = dir_.Path("names.tracklore");
    for (int round = 0; round < 3; ++round) {
        std::vector<std::string> names = Filenames();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"/Caf\xC3\xA9/caf\xC3\xA9.mp3",
                                                   "/Caf\xC3\xA9/\xC3\xA9t\xC3\xA9.mp3",
                                                   "/\xC3\xA9/ni\xC3\xB1o \xE2\x82\xAC.mp3"}));
        std::vector<std::string> found;
        for (const std::string& name : names)
            found.push_back(
                platform::FileNameOnDisk(dir_.Root() + name).substr(dir_.Root().size()));
        std::sort(found.begin(), found.end());
        std::vector<std::string> expected = onDisk;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected);
        catalogue_.SaveToFile(catalogueFile);
        catalogue_.ResetDB();
        catalogue_.LoadFromFile(catalogueFile);
    }
    // An update of the folder meets every file under the name its record keeps.
    TUpdateReport report;
    UpdateFolder(catalogue_, dir_.Root(), report);
    EXPECT_EQ(report.Unchanged, 3);
    EXPECT_TRUE(report.Added.empty());
    EXPECT_TRUE(report.Missing.empty());
}

TEST_F(ScanTest, FolderScanAnnouncesEachFileBeforeAddingIt) {
    Put("a.mp3", Frames(5));
    Put("sub/b.mp3", Frames(5));
    Scan(dir_.Root() + "/");  // a trailing "/" is not doubled
    ASSERT_EQ(announced_.size(), 2u);
    std::vector<std::string> expected;
    for (const auto& name : Filenames())
        expected.push_back(dir_.Root() + name);
    EXPECT_EQ(announced_, expected);
}

TEST_F(ScanTest, FolderScanIsDepthFirst) {
    // Whatever order the file system lists them in, the files of a subfolder come right
    // where the subfolder does: no file of "z" between two files of "a".
    for (const char* name : {"a/1.mp3", "a/2.mp3", "a/3.mp3", "z/1.mp3", "z/2.mp3", "m.mp3"}) {
        Put(name, Frames(2));
    }
    Scan(dir_.Root());
    std::vector<std::string> folders;
    for (const auto& name : Filenames()) {
        const std::string folder = name.substr(0, name.rfind('/'));
        if (folders.empty() || folders.back() != folder) folders.push_back(folder);
    }
    std::vector<std::string> unique = folders;
    std::sort(unique.begin(), unique.end());
    EXPECT_EQ(std::adjacent_find(unique.begin(), unique.end()), unique.end())
        << "a folder's files were split";
}

TEST_F(ScanTest, ScanningAFolderTwiceDoublesItsRecords) {
    Put("a.mp3", Frames(5));
    Scan(dir_.Root());
    Scan(dir_.Root());
    EXPECT_EQ(catalogue_.Count(), 2);
}

TEST_F(ScanTest, HeaderAndTagErrorsAreListedAndTheScanGoesOn) {
    Put("x.mp3", std::string(200, '\0'));
    Put("text.mp3", std::string(300, 'a'));  // a text file renamed
    // A frame that claims more than the tag holds.
    Put("big.mp3", Tag("TIT2" + BigEndian32(100) + std::string(7, '\0')) + Frames(2));
    Put("lower.mp3", Tag(TagFrame("tit2", Text("abc"))) + Frames(2));
    Put("good.mp3", Frames(5));
    Scan(dir_.Root());

    std::sort(errors_.begin(), errors_.end());
    ASSERT_EQ(errors_.size(), 4u) << testing::PrintToString(errors_);
    EXPECT_EQ(errors_[0], dir_.Path("big.mp3") + "  -  A chunck in the file " +
                              dir_.Path("big.mp3") +
                              " has a mismatching size of 100 where 15 remaining");
    EXPECT_EQ(errors_[1], dir_.Path("lower.mp3") + "  -  " + dir_.Path("lower.mp3") +
                              ": tit2 is an invalid chunk type (did I get out of synch?)");
    EXPECT_EQ(errors_[2], dir_.Path("text.mp3") + "  -  " + kInvalid);
    EXPECT_EQ(errors_[3], dir_.Path("x.mp3") + "  -  " + kNotFound);
    EXPECT_EQ(Filenames(), std::vector<std::string>{"/good.mp3"});
}

TEST_F(ScanTest, ShortAndCutFilesAreListedAndTheScanGoesOn) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"three bytes", "ID3"},
        {"five bytes", "abcde"},
        {"tag-less, under 128 bytes", Frames(1).substr(0, 100)},
        {"cut tag", Tag(TagFrame("TIT2", Text("Title"))).substr(0, 14)},
        {"cut frame data",
         Tag(TagFrame("TIT2", Text("Title") + std::string(40, 'x'))).substr(0, 25)},
    };
    for (const auto& [what, bytes] : cases) {
        TTempDir folder;
        test::WriteFileBytes(folder.Path("bad.mp3"), bytes);
        test::WriteFileBytes(folder.Path("good.mp3"), Frames(2));
        std::vector<std::string> errors;
        const int before = catalogue_.Count();
        EXPECT_TRUE(ScanFolder(catalogue_, folder.Root(), errors)) << what;
        EXPECT_EQ(errors,
                  std::vector<std::string>{folder.Path("bad.mp3") + "  -  Read less than expected"})
            << what;
        EXPECT_EQ(catalogue_.Count(), before + 1) << what;
    }
}

TEST_F(ScanTest, FullCatalogueEndsTheScanKeepingEarlierRecords) {
    TrackRecord empty;
    for (int i = 0; i < TTracklore::kSlotCount - 2; ++i)
        catalogue_.Insert(empty);
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
        Put(name, Frames(2));
    EXPECT_THROW(Scan(dir_.Root()), EDBError);
    EXPECT_EQ(announced_.size(), 3u);
    EXPECT_EQ(catalogue_.Count(), TTracklore::kSlotCount);
}

TEST_F(ScanTest, FolderNamedLikeAnMp3FileIsWalkedNotRead) {
    Put("album.mp3/track.mp3", Frames(2));
    Scan(dir_.Root());
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Filenames(), std::vector<std::string>{"/album.mp3/track.mp3"});
}

TEST_F(ScanTest, PipesAndDevicesNamedLikeMp3FilesAreListedNotOpened) {
    Put("a.mp3", Frames(2));
    ASSERT_EQ(mkfifo(dir_.Path("pipe.mp3").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", dir_.Path("device.mp3"));
    Put("pipes/x.txt", "");
    ASSERT_EQ(mkfifo(dir_.Path("pipes/other").c_str(), 0600), 0);  // no ".mp3": no line
    Scan(dir_.Root());  // opening the pipe would wait for a writer for good
    std::sort(errors_.begin(), errors_.end());
    const std::string reason = "  -  Not a regular file (a pipe, socket or device): passed over";
    EXPECT_EQ(errors_, (std::vector<std::string>{dir_.Path("device.mp3") + reason,
                                                 dir_.Path("pipe.mp3") + reason}));
    EXPECT_EQ(Filenames(), std::vector<std::string>{"/a.mp3"});
    EXPECT_EQ(announced_.size(), 1u);
}

TEST_F(ScanTest, FileThatVanishedIsListed) {
    Put("a.mp3", Frames(2));
    fs::create_symlink(dir_.Path("gone.mp3"), dir_.Path("link.mp3"));
    Scan(dir_.Root());
    EXPECT_EQ(errors_, std::vector<std::string>{dir_.Path("link.mp3") + "  -  " +
                                                dir_.Path("link.mp3") + ": File not found!"});
    EXPECT_EQ(Filenames(), std::vector<std::string>{"/a.mp3"});
}

TEST_F(ScanTest, FileThatCannotBeOpenedIsListedWithTheSystemError) {
    // A folder cannot be opened as a file, also by root (for whom permissions never fail).
    const std::string album = dir_.Path("album");
    Put("album/a.mp3", Frames(2));
    EXPECT_NO_THROW(ScanFileListingErrors(catalogue_, album, errors_));
    EXPECT_EQ(errors_, std::vector<std::string>{album + "  -  Error opening \"" + album +
                                                "\" - Is a directory"});
    EXPECT_EQ(catalogue_.Count(), 0);
}

TEST_F(ScanTest, FolderReachedAgainThroughLinkIsNotScannedTwice) {
    Put("real/a.mp3", Frames(2));
    fs::create_directory_symlink(dir_.Path("real"), dir_.Path("link"));
    fs::create_directory_symlink("..", dir_.Path("real/loop"));  // a loop back to the top
    Scan(dir_.Root());
    EXPECT_EQ(catalogue_.Count(), 1);
    EXPECT_EQ(announced_.size(), 1u);
}

TEST_F(ScanTest, LinkedFileIsScannedUnderItsOwnPath) {
    Put("real/a.mp3", Frames(2));
    fs::create_symlink(dir_.Path("real/a.mp3"), dir_.Path("alias.mp3"));
    Scan(dir_.Root());
    std::vector<std::string> names = Filenames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"/alias.mp3", "/real/a.mp3"}));
}

TEST_F(ScanTest, CancelFlagSetDuringANotificationStopsBeforeThatFile) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
        Put(name, Frames(2));
    bool cancel = false;
    catalogue_.SetOnScan(ScanEvent{[](void* context, TTracklore& catalogue, const std::string&) {
                                       // The user's click arrives while the second file is
                                       // announced.
                                       if (catalogue.Count() == 1)
                                           *static_cast<bool*>(context) = true;
                                   },
                                   &cancel});
    TScanOptions options;
    options.Cancel = &cancel;
    EXPECT_FALSE(ScanFolder(catalogue_, dir_.Root(), errors_, options));
    EXPECT_EQ(catalogue_.Count(), 1);

    cancel = false;
    catalogue_.SetOnScan(ScanEvent{});
    EXPECT_TRUE(ScanFolder(catalogue_, dir_.Root(), errors_, options));
    EXPECT_EQ(catalogue_.Count(), 5);
}

TEST_F(ScanTest, CancelInASubfolderEndsTheWholeScan) {
    Put("sub/a.mp3", Frames(2));
    Put("sub/b.mp3", Frames(2));
    Put("z.mp3", Frames(2));
    bool cancel = false;
    catalogue_.SetOnScan(ScanEvent{[](void* context, TTracklore&, const std::string& path) {
                                       if (path.find("/sub/") != std::string::npos)
                                           *static_cast<bool*>(context) = true;
                                   },
                                   &cancel});
    TScanOptions options;
    options.Cancel = &cancel;
    EXPECT_FALSE(ScanFolder(catalogue_, dir_.Root(), errors_, options));
    // Only z.mp3 can have been scanned, and only when it was listed before the folder.
    for (const auto& name : Filenames())
        EXPECT_EQ(name, "/z.mp3");
}

TEST_F(ScanTest, QuickScanReadsAFewPlacesAndTheWholeScanEveryByte) {
    // 2.6 MB of steady frames under a tag, with an ID3v1 tag at the end.
    const std::string path = Put("long.mp3", Tag(TagFrame("TIT2", Text("Long"))) + Frames(6300) +
                                                 "TAG" + std::string(125, '\0'));
    const auto size = static_cast<int64_t>(fs::file_size(path));
    int64_t quickBytes = 0;
    int64_t wholeBytes = 0;
    TScanOptions quick;
    quick.BytesRead = &quickBytes;
    TScanOptions whole;
    whole.ScanVBR = true;
    whole.BytesRead = &wholeBytes;

    const TrackRecord fast = ScanRecord(path, quick);
    const TrackRecord slow = ScanRecord(path, whole);
    EXPECT_EQ(wholeBytes, size);
    EXPECT_LT(quickBytes, size / 50);
    EXPECT_EQ(fast.Title.view(), "Long");
    EXPECT_NEAR(fast.PlayLength, slow.PlayLength, 1);
    EXPECT_EQ(fast.BitRate, slow.BitRate);
    EXPECT_EQ(fast.SampleRate, slow.SampleRate);
}

TEST_F(ScanTest, QuickScanStartsBehindTheTagAndItsFooter) {
    // A version-4 tag with a footer: the audio starts ten bytes later than the size says. A
    // frame-like word in the footer must not be taken as the first frame.
    std::string tag = Tag(TagFrame("TIT2", "Song", 4), 4);
    tag[5] = 0x10;
    const std::string footer = std::string("ÿóÄ", 4) + std::string(6, '\0');
    const std::string path = Put("footer.mp3", tag + footer + Frames(100));
    TScanOptions whole;
    whole.ScanVBR = true;
    const TrackRecord fast = ScanRecord(path);
    EXPECT_EQ(fast.BitRate, 128);
    EXPECT_EQ(fast.SampleRate, 44100);
    EXPECT_EQ(fast.PlayLength, ScanRecord(path, whole).PlayLength);
}

TEST_F(ScanTest, MissingTopFolderRaisesTheSystemError) {
    const std::string missing = dir_.Path("missing");
    EXPECT_EQ(test::ErrorOf<EInOutError>([&] { Scan(missing); }),
              "Error opening \"" + missing + "\" - No such file or directory");
}

TEST_F(ScanTest, UnreadableFilesAndSubfoldersAreListedAndTheScanGoesOn) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file and folder";
    Put("a.mp3", Frames(2));
    Put("locked/b.mp3", Frames(2));
    const std::string closed = Put("closed.mp3", Frames(2));
    Put("z/c.mp3", Frames(2));
    ASSERT_EQ(chmod(dir_.Path("locked").c_str(), 0), 0);
    ASSERT_EQ(chmod(closed.c_str(), 0), 0);
    EXPECT_NO_THROW(Scan(dir_.Root()));
    chmod(dir_.Path("locked").c_str(), 0755);
    std::sort(errors_.begin(), errors_.end());
    EXPECT_EQ(errors_,
              (std::vector<std::string>{
                  closed + "  -  Error opening \"" + closed + "\" - Permission denied",
                  dir_.Path("locked") + "  -  Folder could not be read: Permission denied"}));
    std::vector<std::string> names = Filenames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"/a.mp3", "/z/c.mp3"}));
}

TEST_F(ScanTest, UpdateListsWhatItCannotReadAndKeepsTheRecordsOfLockedFolders) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    Put("a.mp3", Frames(2));
    Put("locked/b.mp3", Frames(2));
    Scan(dir_.Root());
    ASSERT_EQ(catalogue_.Count(), 2);
    ASSERT_EQ(chmod(dir_.Path("locked").c_str(), 0), 0);
    ASSERT_EQ(mkfifo(dir_.Path("pipe.mp3").c_str(), 0600), 0);
    TUpdateReport report;
    UpdateFolder(catalogue_, dir_.Root(), report);
    chmod(dir_.Path("locked").c_str(), 0755);
    std::sort(report.Failed.begin(), report.Failed.end());
    EXPECT_EQ(report.Failed,
              (std::vector<std::string>{
                  dir_.Path("locked") + "  -  Folder could not be read: Permission denied",
                  dir_.Path("pipe.mp3") +
                      "  -  Not a regular file (a pipe, socket or device): passed over"}));
    // The locked folder's file was not looked for: its record is not missing.
    EXPECT_TRUE(report.Missing.empty());
    EXPECT_EQ(report.Unchanged, 1);
}

}  // namespace
}  // namespace tracklore
