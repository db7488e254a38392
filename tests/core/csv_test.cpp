// Tests of CSV export and import: the exact bytes, field handling and broken files.
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/convert.h"
#include "streams/stream_errors.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/error_text.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/full_catalogue.h"
#include "tests/support/record_builder.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::ErrorOf;
using test::IdsInSlotOrder;
using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

const std::string kHeader =
    "ID;Volume;Filename;FileSize;Artist;Title;Album;Year;Comment;Genre;PlayLength;kBit/s;"
    "SampleRate";

TrackRecord Abba() {
    return test::MakeRecord({.ID = 1,
                             .Artist = "Abba",
                             .PlayLength = 185,
                             .Genre = 0,
                             .SampleRate = 44100,
                             .BitRate = 128,
                             .FileSize = 3000000});
}

class CsvFile : public testing::Test {
protected:
    std::string Export(const std::vector<TrackRecord>& records) {
        TTracklore catalogue;
        for (const TrackRecord& record : records)
            catalogue.InsertAsStored(record);
        catalogue.ExportCSV(path_);
        return ReadFileBytes(path_);
    }

    // Imports `text` into catalogue_ and returns the error message, "" when none.
    std::string Import(const std::string& text) {
        WriteFileBytes(path_, text);
        try {
            catalogue_.ImportCSV(path_);
        } catch (const std::exception& error) {
            return error.what();
        }
        return "";
    }

    const TrackRecord& At(int slot) { return *catalogue_.SlotRecord(slot); }

    TTempDir dir_;
    std::string path_ = dir_.Path("cat.csv");
    TTracklore catalogue_;
};

// ---- Export

TEST_F(CsvFile, ExportWritesEmptyLineHeaderAndOneLinePerRecord) {
    EXPECT_EQ(Export({Abba()}),
              "\r\n" + kHeader + "\r\n1;;;3000000;Abba;;;;;Blues;185;128;44100\r\n");
}

TEST_F(CsvFile, ExportWritesEveryFieldInHeaderOrder) {
    TrackRecord record;
    record.ID = -3;
    record.Volume = "Vol";
    record.Filename = "/m/a.mp3";
    record.FileSize = 4294967295u;
    record.Artist = "Ar";
    record.Title = "Ti";
    record.Album = "Al";
    record.Year = "1999";
    record.Comment = "Co \"q\"";
    record.Genre = 254;  // no name: empty column
    record.PlayLength = 65535;
    record.BitRate = 320;
    record.SampleRate = 48000;
    record.FileDate = 12345.5;  // not exported
    EXPECT_EQ(Export({record}), "\r\n" + kHeader +
                                    "\r\n-3;Vol;/m/a.mp3;4294967295;Ar;Ti;Al;1999;Co \"q\";;"
                                    "65535;320;48000\r\n");
}

TEST_F(CsvFile, ExportKeepsSlotOrderWithoutSorting) {
    TrackRecord first = Abba(), second = Abba();
    first.ID = 9;
    second.ID = 2;
    const std::string text = Export({first, second});
    EXPECT_LT(text.find("\n9;"), text.find("\n2;"));
}

TEST_F(CsvFile, FailedExportLeavesPreviousFile) {
    WriteFileBytes(path_, "previous");
    std::vector<TrackRecord> records(2000, Abba());
    {
        test::TFileSizeLimit limit(1000);
        EXPECT_THROW(Export(records), EInOutError);
    }
    EXPECT_EQ(ReadFileBytes(path_), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Root()), {}), 1);
}

// ---- Import

TEST_F(CsvFile, ExportThenImportGivesSameRecordsButFileDateAndUnnamedGenres) {
    TrackRecord named = Abba(), unnamed = Abba(), none = Abba();
    named.FileDate = 40000.5;
    named.Comment = "Caf\xC3\xA9";
    unnamed.ID = 2;
    unnamed.Genre = 200;
    none.ID = 3;
    none.Genre = 255;
    none.FileSize = 4000000000u;
    Export({named, unnamed, none});
    ASSERT_EQ(Import(ReadFileBytes(path_)), "");
    named.FileDate = 0;
    unnamed.Genre = 254;
    EXPECT_EQ(At(0), named);
    EXPECT_EQ(At(1), unnamed);
    EXPECT_EQ(At(2), none);
}

TEST_F(CsvFile, HeaderInOtherOrderLowerCaseWithSpacesIsAccepted) {
    ASSERT_EQ(Import("samplerate; kbit/s; playlength; genre; comment; year; album; title; "
                     "artist; filesize; filename; volume; id\r\n"
                     "44100;128;185;Blues;c;1976;al;ti;Abba;3000000;/f;V;7\r\n"),
              "");
    const TrackRecord& r = At(0);
    EXPECT_TRUE(
        std::tie(r.ID, r.Volume, r.Filename, r.Artist, r.Year, r.Genre, r.SampleRate, r.FileSize) ==
        std::tuple(7, "V", "/f", "Abba", "1976", 0, 44100, 3000000u));
}

TEST_F(CsvFile, MissingNumericColumnFailsAsEmptyInteger) {
    EXPECT_EQ(Import("\r\nID;Genre;kBit/s;SampleRate;FileSize\r\n1;Blues;0;0;0\r\n"),
              "'' is not a valid integer value");
}

TEST_F(CsvFile, GenreNameMustMatchCaseExactly) {
    ASSERT_EQ(Import("ID;Genre;PlayLength;kBit/s;SampleRate;FileSize\r\n"
                     "1;Blues;0;0;0;0\r\n2;blues;0;0;0;0\r\n3;;0;0;0;0\r\n4;(none);0;0;0;0\r\n"),
              "");
    EXPECT_EQ(At(0).Genre, 0);
    EXPECT_EQ(At(1).Genre, 255);
    EXPECT_EQ(At(2).Genre, 254);
    EXPECT_EQ(At(3).Genre, 255);
}

TEST_F(CsvFile, SemicolonInCommentShiftsColumnsIntoIntegerError) {
    EXPECT_EQ(Import("\r\n" + kHeader + "\r\n1;;;3000000;Abba;;;;ok;Blues;185;128;44100\r\n" +
                     "2;;;3000000;Abba;;;;a;b;Blues;185;128;44100\r\n"),
              "'Blues' is not a valid integer value");
    EXPECT_EQ(IdsInSlotOrder(catalogue_), (std::vector<int32_t>{1}));
}

TEST_F(CsvFile, EmptyLineAfterHeaderStopsWithIntegerError) {
    EXPECT_EQ(Import("\r\n" + kHeader + "\r\n\r\n1;;;3000000;Abba;;;;;Blues;185;128;44100\r\n"),
              "'' is not a valid integer value");
    EXPECT_EQ(catalogue_.Count(), 0);
}

TEST_F(CsvFile, ImportRaisesLastIdToHighestRead) {
    ASSERT_EQ(Import(kHeader + "\n8;;;0;;;;;;;0;0;0\n3;;;0;;;;;;;0;0;0\n"), "");
    TrackRecord next;
    catalogue_.Insert(next);
    EXPECT_EQ(next.ID, 9);
}

TEST_F(CsvFile, LinesMayEndInCrLfLfOrCrAndLastNeedsNoEnd) {
    const std::string line = ";;;0;;;;;;;0;0;0";
    ASSERT_EQ(
        Import("\r\r\n\n" + kHeader + "\r1" + line + "\n2" + line + "\r\n3" + line + "\r4" + line),
        "");
    EXPECT_EQ(IdsInSlotOrder(catalogue_), (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST_F(CsvFile, FileWithoutHeaderGivesEmptyCatalogue) {
    catalogue_.InsertAsStored(Abba());
    EXPECT_EQ(Import("\r\n\r\n"), "");
    EXPECT_EQ(catalogue_.Count(), 0);
    EXPECT_EQ(catalogue_.LastID(), 0);
}

TEST_F(CsvFile, MissingTextColumnIsEmptyAndExtraFieldsAreIgnored) {
    ASSERT_EQ(Import("ID;FileSize;PlayLength;kBit/s;SampleRate;Artist\r\n"
                     "1;2;3;4;5;A;x;y;z;1;2;3;4;5;6;7\r\n"),
              "");
    EXPECT_EQ(At(0).Artist, "A");
    EXPECT_EQ(At(0).Title, "");
    EXPECT_EQ(At(0).Genre, 254);  // an empty genre text
}

TEST_F(CsvFile, OnlyLeadingSpacesAreRemovedFromFields) {
    ASSERT_EQ(Import(kHeader + "\r\n  1;  V ;\tF;0;;;;;;;0;0;0\r\n"), "");
    EXPECT_EQ(At(0).Volume, "V ");
    EXPECT_EQ(At(0).Filename, "\tF");
}

TEST_F(CsvFile, FileSizeTakesUnsignedAndSigned32BitForms) {
    ASSERT_EQ(Import(kHeader + "\r\n1;;;4294967295;;;;;;;0;0;0\r\n2;;;-1;;;;;;;0;0;0\r\n" +
                     "3;;;+7;;;;;;;0;0;0\r\n4;;;-2147483648;;;;;;;0;0;0\r\n"),
              "");
    EXPECT_EQ(At(0).FileSize, 4294967295u);
    EXPECT_EQ(At(1).FileSize, 4294967295u);
    EXPECT_EQ(At(2).FileSize, 7u);
    EXPECT_EQ(At(3).FileSize, 2147483648u);
}

TEST_F(CsvFile, FileSizeBeyond32BitsIsRefused) {
    EXPECT_EQ(Import(kHeader + "\r\n1;;;4294967296;;;;;;;0;0;0\r\n"),
              "'4294967296' is not a valid integer value");
    EXPECT_EQ(Import(kHeader + "\r\n1;;;-2147483649;;;;;;;0;0;0\r\n"),
              "'-2147483649' is not a valid integer value");
}

TEST_F(CsvFile, SmallNumbersAreSigned32BitKeptInFieldWidth) {
    ASSERT_EQ(Import(kHeader + "\r\n1;;;0;;;;;;;65537;-1;70000\r\n"), "");
    EXPECT_EQ(At(0).PlayLength, 1);
    EXPECT_EQ(At(0).BitRate, 65535);
    EXPECT_EQ(At(0).SampleRate, 70000 - 65536);
    EXPECT_EQ(Import(kHeader + "\r\n1;;;0;;;;;;;2147483648;0;0\r\n"),
              "'2147483648' is not a valid integer value");
}

TEST_F(CsvFile, TextThatIsNotUtf8IsTakenAsWindows1252) {
    ASSERT_EQ(Import(kHeader + "\r\n1;;;0;Caf\xE9;\x80;;;;;0;0;0\r\n"), "");
    EXPECT_EQ(At(0).Artist, "Caf\xC3\xA9");
    EXPECT_EQ(At(0).Title, "\xE2\x82\xAC");
}

TEST_F(CsvFile, MoreRecordsThanSlotsStopWithTooManyElements) {
    std::string text = kHeader + "\n";
    for (int id = 1; id <= TTracklore::kSlotCount + 1; ++id)
        text += std::to_string(id) + ";;;0;;;;;;;0;0;0\n";
    EXPECT_EQ(Import(text), test::kFullCatalogue);
    EXPECT_EQ(catalogue_.Count(), TTracklore::kSlotCount);
}

TEST_F(CsvFile, MissingFileRaisesOpeningError) {
    EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue_.ImportCSV(dir_.Path("none.csv")); }),
              "Error opening \"" + dir_.Path("none.csv") + "\" - No such file or directory");
}

TEST_F(CsvFile, IntegerErrorShowsTheWholeFieldWithControlsEscaped) {
    EXPECT_EQ(Import(kHeader + "\r\n1;;;0;;;;;;;" + std::string("7\0x\t\x01", 5) + ";0;0\r\n"),
              "'7\\0x\\t\\x01' is not a valid integer value");
}

// The longest line a record can make: 13 fields of 65,535 bytes, each quoted with every
// character doubled, and 12 separators.
constexpr size_t kMaxLineBytes = 13 * (2 * 65535 + 2) + 12;

TEST_F(CsvFile, LineBeyondWhatARecordCanFillIsRefused) {
    const std::string longest =
        kHeader + ";" + std::string(kMaxLineBytes - kHeader.size() - 1, 'x');
    ASSERT_EQ(Import(longest + "\r\n1;;;0;;;;;;;0;0;0\r\n"), "");
    EXPECT_EQ(catalogue_.Count(), 1);
    EXPECT_EQ(Import("\r\n" + longest + "x\r\n1;;;0;;;;;;;0;0;0\r\n"),
              "Line 2 of \"" + path_ + "\" is longer than 1703948 bytes, more than any record's " +
                  "fields can fill");
}

TEST_F(CsvFile, OnlyRegularFilesAreRead) {
    std::filesystem::create_directory(dir_.Path("folder.csv"));
    for (const std::string& name : {std::string("/dev/null"), dir_.Path("folder.csv")}) {
        EXPECT_EQ(ErrorOf<EInOutError>([&] { catalogue_.ImportCSV(name); }),
                  "Error opening \"" + name + "\" - not a regular file");
    }
}

TEST_F(CsvFile, ResultSetRefusesImport) {
    auto set = TTracklore::CreateResultSet(catalogue_);
    WriteFileBytes(path_, kHeader);
    EXPECT_THROW(set->ImportCSV(path_), EDBInvalidOp);
}

}  // namespace
}  // namespace tracklore
