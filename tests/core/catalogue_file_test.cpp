// Tests of the catalogue file: its layout in golden bytes, loading, saving and bad files.
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/catalogue_file_format.h"
#include "core/messages.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/error_text.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/full_catalogue.h"
#include "tests/support/memory_stream.h"
#include "tests/support/record_builder.h"
#include "tests/support/sample_records.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::ErrorOf;
using test::Fill;
using test::Hex;
using test::IdsInSlotOrder;
using test::MakeRecord;
using test::ReadFileBytes;
using test::TMemoryStream;
using test::TTempDir;
using test::WriteFileBytes;

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

using test::FullTrack;

std::string Header(uint16_t version, int32_t count = 0) {
    const auto header = catalogue_file::MakeHeader(count, 0);
    std::string bytes(header.begin(), header.end());
    bytes[22] = static_cast<char>(version & 0xFF);
    bytes[23] = static_cast<char>(version >> 8);
    return bytes;
}

std::string RecordBytes(const TrackRecord& record) {
    std::string bytes;
    catalogue_file::AppendRecord(bytes, record);
    return bytes;
}

std::vector<TrackRecord> Records(const TTracklore& catalogue) {
    std::vector<TrackRecord> records;
    for (int slot = 0; slot < TTracklore::kSlotCount; ++slot) {
        if (const TrackRecord* record = catalogue.SlotRecord(slot)) records.push_back(*record);
    }
    return records;
}

// ---- Byte layout

TEST(CatalogueFileLayout, HeaderHoldsSignatureVersionCountTimeAndFiller) {
    const auto header = catalogue_file::MakeHeader(3, 2.0);
    const std::string expected =
        std::string("Corvane Tracklore   ") + std::string("\x00\x1A\x00\x02\x03\x00\x00\x00", 8) +
        std::string("\x00\x00\x00\x00\x00\x00\x00\x40", 8) + std::string(28, 'R');
    EXPECT_EQ(Hex({header.begin(), header.end()}), Hex(Bytes(expected)));
}

TEST(CatalogueFileLayout, RecordFieldsFollowMarkerInFileOrder) {
    const std::string expected = std::string("!MP3\x04\x03\x02\x01", 8) +
                                 std::string("\x01\x00V\x02\x00/a", 7) +  // Volume, Filename
                                 std::string("\xD0\xC0\xB0\xA0", 4) +     // FileSize
                                 std::string("\0\0\0\0\0\0\0\x40", 8) +   // FileDate
                                 std::string("\x22\x11\x44\x33\x66\x55", 6) +
                                 std::string(
                                     "\x02\x00"
                                     "Ab\x01\x00T\x00\x00\x01\x00"
                                     "C",
                                     12) +
                                 std::string(
                                     "\x04\x00"
                                     "1976\x0D",
                                     7);
    EXPECT_EQ(Hex(Bytes(RecordBytes(FullTrack()))), Hex(Bytes(expected)));
}

TEST(CatalogueFileLayout, OverlongTextIsCutAtCharacterBoundary) {
    TrackRecord record;
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "\xC3\xA9";  // é, two bytes: 65,535 would split one
    record.Comment = text;
    const std::string bytes = RecordBytes(record);
    TTracklore catalogue;
    TMemoryStream stream(bytes);
    catalogue_file::ReadRecords(stream, catalogue);
    EXPECT_EQ(catalogue.SlotRecord(0)->Comment.size(), 65534u);
    EXPECT_EQ(catalogue.SlotRecord(0)->Comment.view(), text.substr(0, 65534));
}

TEST(CatalogueFileLayout, HeaderWithWrongSignatureIsRefused) {
    auto header = catalogue_file::MakeHeader(0, 0);
    header[21] = 0x1B;
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue_file::CheckHeader(header); }),
              "Invalid database, error in header.");
}

TEST(CatalogueFileLayout, VersionAboveCurrentIsRefusedInUpperCaseHex) {
    auto header = catalogue_file::MakeHeader(0, 0);
    header[22] = 0xAB;
    header[23] = 0x02;
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue_file::CheckHeader(header); }),
              "Invalid database, invalid version [2AB] detected.");
}

// ---- Reading the record stream

TEST(CatalogueFileRecords, AlignmentErrorGivesByteOffsetOfBadMarker) {
    const std::string first = RecordBytes(MakeRecord(1, "A"));
    std::string second = RecordBytes(MakeRecord(2, "B"));
    second[0] = '?';
    TTracklore catalogue;
    TMemoryStream stream(first + second);
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue_file::ReadRecords(stream, catalogue); }),
              "Invalid database, Invalid record header, alignment error in file at " +
                  std::to_string(first.size()) + ". File corrupted - use TrackloreFix");
}

TEST(CatalogueFileRecords, StreamEndingInsideRecordRaisesShortRead) {
    const std::string bytes = RecordBytes(MakeRecord(1, "Artist"));
    TTracklore catalogue;
    TMemoryStream stream(bytes.substr(0, bytes.size() - 1));
    stream.SetStrict(false);  // as the decompressor: short counts, no error of its own
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue_file::ReadRecords(stream, catalogue); }),
              "Read less than expected");
}

TEST(CatalogueFileRecords, TextLengthBeyondDataRaisesShortRead) {
    std::string bytes = RecordBytes(MakeRecord(1, ""));
    bytes[8] = '\xFF';  // Volume claims 65,535 bytes
    bytes[9] = '\xFF';
    TTracklore catalogue;
    TMemoryStream stream(bytes);
    stream.SetStrict(false);
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue_file::ReadRecords(stream, catalogue); }),
              "Read less than expected");
}

TEST(CatalogueFileRecords, TextThatIsNotUtf8IsTakenAsWindows1252) {
    TTracklore catalogue;
    TMemoryStream stream(RecordBytes(MakeRecord(1, "Caf\xE9 \x80")));
    catalogue_file::ReadRecords(stream, catalogue);
    EXPECT_EQ(catalogue.SlotRecord(0)->Artist, "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(CatalogueFileRecords, MoreRecordsThanSlotsStopWithTooManyElements) {
    std::string bytes;
    for (int id = 1; id <= TTracklore::kSlotCount + 1; ++id)
        catalogue_file::AppendRecord(bytes, MakeRecord(id, ""));
    TTracklore catalogue;
    TMemoryStream stream(bytes);
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue_file::ReadRecords(stream, catalogue); }),
              test::kFullCatalogue);
    EXPECT_EQ(catalogue.Count(), TTracklore::kSlotCount);
}

// ---- Saving and loading files

TEST(CatalogueFile, EmptyCatalogueSavesHeaderOnlyAndLoadsEmpty) {
    TTempDir dir;
    const std::string path = dir.Path("empty.tracklore");
    TTracklore catalogue;
    catalogue.SaveToFile(path);
    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(bytes.substr(0, 28), Header(0x0200).substr(0, 28));
    EXPECT_EQ(bytes.substr(36), std::string(28, 'R'));
    Fill(catalogue, {MakeRecord(4, "x")});
    catalogue.LoadFromFile(path);
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_EQ(catalogue.LastID(), 0);
}

TEST(CatalogueFile, SaveThenLoadGivesSameRecords) {
    TTempDir dir;
    const std::string path = dir.Path("round.tracklore");
    TrackRecord long300 = MakeRecord(2, std::string(300, 'L').c_str(), "");
    long300.FileDate = 45000.75;
    TrackRecord full = FullTrack();
    full.ID = 3;
    full.Album = "\xE2\x82\xAC uro";
    TTracklore saved;
    Fill(saved, {MakeRecord(1, ""), long300, full});
    saved.SaveToFile(path);
    TTracklore loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(Records(loaded), Records(saved));
}

TEST(CatalogueFile, SaveStoresRecordCountInHeader) {
    TTempDir dir;
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "a"), MakeRecord(2, "b")});
    catalogue.SaveToFile(dir.Path("c.tracklore"));
    EXPECT_EQ(ReadFileBytes(dir.Path("c.tracklore")).substr(24, 4), std::string("\2\0\0\0", 4));
}

TEST(CatalogueFile, SaveOrdersCatalogueById) {
    TTempDir dir;
    const std::string path = dir.Path("ids.tracklore");
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(5, "a"), MakeRecord(9, "b"), MakeRecord(7, "c")});
    catalogue.SaveToFile(path);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{5, 7, 9}));
    TTracklore loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(IdsInSlotOrder(loaded), (std::vector<int32_t>{5, 7, 9}));
}

TEST(CatalogueFile, LoadKeepsFileOrderRepeatedIdsAndRaisesLastId) {
    TTempDir dir;
    const std::string path = dir.Path("plain.tracklore");
    WriteFileBytes(path, Header(0x0100, 4) + RecordBytes(MakeRecord(5, "a")) +
                             RecordBytes(MakeRecord(9, "b")) + RecordBytes(MakeRecord(7, "c")) +
                             RecordBytes(MakeRecord(5, "d")));
    TTracklore catalogue;
    catalogue.LoadFromFile(path);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{5, 9, 7, 5}));
    EXPECT_EQ(catalogue.SlotRecord(3)->Artist, "d");
    TrackRecord next = MakeRecord(0, "new");
    catalogue.Insert(next);
    EXPECT_EQ(next.ID, 10);
}

TEST(CatalogueFile, OldVersionIsReadWithoutDecompression) {
    TTempDir dir;
    const std::string path = dir.Path("old.tracklore");
    WriteFileBytes(path, Header(0x0100, 1) + RecordBytes(FullTrack()));
    TTracklore catalogue;
    catalogue.LoadFromFile(path);
    ASSERT_EQ(catalogue.Count(), 1);
    EXPECT_EQ(*catalogue.SlotRecord(0), FullTrack());
}

TEST(CatalogueFile, NewerVersionIsRefusedAndCatalogueEmptied) {
    TTempDir dir;
    const std::string path = dir.Path("new.tracklore");
    WriteFileBytes(path, Header(0x0201) + RecordBytes(MakeRecord(1, "a")));
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "a")});
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.LoadFromFile(path); }),
              "Invalid database, invalid version [201] detected.");
    EXPECT_EQ(catalogue.Count(), 0);
}

TEST(CatalogueFile, AlignmentErrorEmptiesCatalogue) {
    TTempDir dir;
    const std::string path = dir.Path("bad.tracklore");
    const std::string first = RecordBytes(MakeRecord(1, "a"));
    WriteFileBytes(path, Header(0x0100) + first + "junk");
    TTracklore catalogue;
    const std::string at = "file at " + std::to_string(first.size()) + ".";
    EXPECT_NE(ErrorOf<EDBError>([&] { catalogue.LoadFromFile(path); }).find(at), std::string::npos);
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_EQ(catalogue.LastID(), 0);
}

TEST(CatalogueFile, FileShorterThanHeaderRaisesShortRead) {
    TTempDir dir;
    const std::string path = dir.Path("short.tracklore");
    WriteFileBytes(path, Header(0x0200).substr(0, 40));
    TTracklore catalogue;
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue.LoadFromFile(path); }),
              "Read less than expected");
}

TEST(CatalogueFile, CompressedRecordsCutShortEmptyCatalogue) {
    TTempDir dir;
    const std::string path = dir.Path("cut.tracklore");
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "Some artist", "Some title"), MakeRecord(2, "Other", "Title")});
    catalogue.SaveToFile(path);
    const std::string bytes = ReadFileBytes(path);
    WriteFileBytes(path, bytes.substr(0, bytes.size() - 5));
    EXPECT_THROW(catalogue.LoadFromFile(path), EInOutError);
    EXPECT_EQ(catalogue.Count(), 0);
}

// A copy cut at a record boundary reads cleanly; only the header's count tells.
TEST(CatalogueFile, RecordCountDifferingFromHeaderIsRefused) {
    TTempDir dir;
    const std::string path = dir.Path("cut.tracklore");
    const std::string records = RecordBytes(MakeRecord(1, "a")) + RecordBytes(MakeRecord(2, "b"));
    struct Case {
        int32_t announced;
        const char* error;  // nullptr: loads
    };
    for (const Case& c : {Case{3,
                               "Invalid database, the header counts 3 records, but the file "
                               "holds 2. The file may be cut short."},
                          Case{0,
                               "Invalid database, the header counts 0 records, but the file "
                               "holds 2. The file may be cut short."},
                          Case{2, nullptr}, Case{-1, nullptr}}) {
        WriteFileBytes(path, Header(0x0100, c.announced) + records);
        TTracklore catalogue;
        Fill(catalogue, {MakeRecord(9, "old")});
        if (c.error == nullptr) {
            EXPECT_NO_THROW(catalogue.LoadFromFile(path)) << c.announced;
            EXPECT_EQ(catalogue.Count(), 2) << c.announced;
            continue;
        }
        EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.LoadFromFile(path); }), c.error);
        EXPECT_EQ(catalogue.Count(), 0) << c.announced;
    }
}

// The load reports each new percent of the records the header announces (99 at most while
// reading), then 100 once the whole file was taken; a wrong count never reaches 100.
TEST(CatalogueFile, LoadReportsProgressAgainstTheAnnouncedCount) {
    TTempDir dir;
    const std::string path = dir.Path("progress.tracklore");
    struct Case {
        int records;
        int32_t announced;
        std::vector<int> reports;
    };
    for (const Case& c : {Case{3, 3, {33, 66, 99, 100}}, Case{1, 1, {99, 100}}, Case{3, -1, {100}},
                          Case{3, 1, {99}}, Case{2, 4, {25, 50}}, Case{0, 0, {100}}}) {
        std::string bytes = Header(0x0100, c.announced);
        for (int id = 1; id <= c.records; ++id)
            bytes += RecordBytes(MakeRecord(id, "a"));
        WriteFileBytes(path, bytes);
        TTracklore catalogue;
        std::vector<int> reports;
        try {
            catalogue.LoadFromFile(path, [&](int percent) { reports.push_back(percent); });
        } catch (const EDBError&) {
            EXPECT_EQ(catalogue.Count(), 0);
        }
        EXPECT_EQ(reports, c.reports) << c.records << " records, " << c.announced << " announced";
    }

    // Many records: every percent once, in order.
    TTracklore many;
    for (int i = 0; i < 250; ++i) {
        TrackRecord record = MakeRecord(0, "a");
        many.Insert(record);
    }
    many.SaveToFile(path);
    std::vector<int> reports;
    many.LoadFromFile(path, [&](int percent) { reports.push_back(percent); });
    ASSERT_EQ(reports.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(reports[i], i + 1);
}

TEST(CatalogueFile, CompressedFileCutAtRecordBoundaryIsRefused) {
    TTempDir dir;
    const std::string whole = dir.Path("whole.tracklore");
    const std::string cut = dir.Path("cut.tracklore");
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "a")});
    catalogue.SaveToFile(cut);
    Fill(catalogue, {MakeRecord(2, "b")});
    catalogue.SaveToFile(whole);
    // The two-record header over the one-record stream: what a copy that lost its tail holds.
    WriteFileBytes(cut, ReadFileBytes(whole).substr(0, 64) + ReadFileBytes(cut).substr(64));
    EXPECT_EQ(ErrorOf<EDBError>([&] { catalogue.LoadFromFile(cut); }),
              "Invalid database, the header counts 2 records, but the file holds 1. The file "
              "may be cut short.");
}

TEST(CatalogueFile, MissingFileRaisesOpeningError) {
    TTempDir dir;
    const std::string path = dir.Path("none.tracklore");
    TTracklore catalogue;
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue.LoadFromFile(path); }),
              "Error opening \"" + path + "\" - No such file or directory");
}

TEST(CatalogueFile, ResultSetSavesItsRecordsButRefusesLoading) {
    TTempDir dir;
    const std::string path = dir.Path("set.tracklore");
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "Abba"), MakeRecord(2, "Beatles"), MakeRecord(3, "Abba")});
    TrackRecord pattern;
    pattern.ID = 0;
    pattern.Genre = kGenreNone;
    pattern.Artist = "abba";
    auto set = catalogue.SelectByTemplate(pattern);
    set->SaveToFile(path);
    EXPECT_THROW(set->LoadFromFile(path), EDBInvalidOp);
    TTracklore loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(IdsInSlotOrder(loaded), (std::vector<int32_t>{1, 3}));
}

// ---- Saving safely

TEST(CatalogueFileSave, FailedSaveLeavesPreviousFileAndNoTemporary) {
    TTempDir dir;
    const std::string path = dir.Path("keep.tracklore");
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "old")});
    catalogue.SaveToFile(path);
    const std::string before = ReadFileBytes(path);
    for (int id = 2; id < 3000; ++id)
        catalogue.InsertAsStored(MakeRecord(id, std::to_string(id * 7919).c_str()));
    {
        test::TFileSizeLimit limit(4096);
        EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue.SaveToFile(path); }),
                  "Error writing to stream - File too large");
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}

TEST(CatalogueFileSave, DeviceTargetIsWrittenInPlaceAndReportsFullDisk) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "a")});
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue.SaveToFile("/dev/full"); }),
              "Error writing to stream - No space left on device");
}

TEST(CatalogueFileSave, MissingFolderRaisesOpeningErrorWithTargetName) {
    TTempDir dir;
    const std::string path = dir.Path("no/such.tracklore");
    TTracklore catalogue;
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue.SaveToFile(path); }),
              "Error opening \"" + path + "\" - No such file or directory");
}

TEST(CatalogueFileSave, FolderAsTargetIsRefused) {
    TTempDir dir;
    TTracklore catalogue;
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue.SaveToFile(dir.Root()); }),
              "Error opening \"" + dir.Root() + "\" - Is a directory");
}

TEST(CatalogueFileSave, ReadOnlyTargetIsRefusedAndKept) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may write any file";
    TTempDir dir;
    const std::string path = dir.Path("ro.tracklore");
    WriteFileBytes(path, "old");
    chmod(path.c_str(), 0444);
    TTracklore catalogue;
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue.SaveToFile(path); }),
              "Error opening \"" + path + "\" - Permission denied");
    EXPECT_EQ(ReadFileBytes(path), "old");
}

TEST(CatalogueFileSave, WritableFileInAReadOnlyFolderIsSavedInPlace) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser may write any folder";
    TTempDir dir;
    const std::string folder = dir.Path("locked");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/music.tracklore";
    WriteFileBytes(path, "old");
    chmod(folder.c_str(), 0555);
    TTracklore catalogue;
    catalogue.SaveToFile(path);
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(ReadFileBytes(path).size(), 64u);
}

TEST(CatalogueFileSave, ReplacedFileKeepsPermissionBits) {
    TTempDir dir;
    const std::string path = dir.Path("mode.tracklore");
    WriteFileBytes(path, "old");
    chmod(path.c_str(), 0640);
    TTracklore catalogue;
    catalogue.SaveToFile(path);
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFileBytes(path).size(), 64u);
}

TEST(CatalogueFileSave, SymbolicLinkStaysAndItsFileIsReplaced) {
    TTempDir dir;
    std::filesystem::create_directory(dir.Path("real"));
    const std::string file = dir.Path("real/cat.tracklore");
    const std::string link = dir.Path("link.tracklore");
    WriteFileBytes(file, "old");
    std::filesystem::create_symlink("real/cat.tracklore", link);
    TTracklore catalogue;
    Fill(catalogue, {MakeRecord(1, "a")});
    catalogue.SaveToFile(link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    TTracklore loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(IdsInSlotOrder(loaded), (std::vector<int32_t>{1}));
}

}  // namespace
}  // namespace tracklore
