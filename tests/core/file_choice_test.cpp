// Tests of the file steps of the file commands: format by extension, load and save.
#include "core/file_choice.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/convert.h"
#include "streams/stream_errors.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/record_builder.h"
#include "tests/support/table_tests.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::IdsInSlotOrder;
using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

using test::MakeRecord;

TEST(FileChoice, OnlyExactLowerCaseCsvExtensionIsCsv) {
    EXPECT_TRUE(IsCsvFileName("a.csv"));
    EXPECT_TRUE(IsCsvFileName("/x/y.tracklore.csv"));
    EXPECT_TRUE(IsCsvFileName(".csv"));
    EXPECT_FALSE(IsCsvFileName("a.CSV"));
    EXPECT_FALSE(IsCsvFileName("a.Csv"));
    EXPECT_FALSE(IsCsvFileName("a.csv.tracklore"));
    EXPECT_FALSE(IsCsvFileName("a.csvx"));
    EXPECT_FALSE(IsCsvFileName("folder.csv/file"));
    EXPECT_FALSE(IsCsvFileName("csv"));
}

// A file name chooses the format a catalogue is saved and loaded in: only a lower-case
// ".csv" means CSV.
struct FormatCase {
    const char* name;
    const char* file;
    std::string start;  ///< the first bytes of the saved file
};

class FileChoiceFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(FileChoiceFormat, NameChoosesTheFormatOfSaveAndLoad) {
    TTempDir dir;
    const std::string path = dir.Path(GetParam().file);
    TTracklore catalogue;
    catalogue.InsertAsStored(MakeRecord(4, "a"));
    SaveByFormat(catalogue, path);
    EXPECT_EQ(ReadFileBytes(path).substr(0, GetParam().start.size()), GetParam().start);
    TTracklore loaded;
    LoadByFormat(loaded, path);
    EXPECT_EQ(IdsInSlotOrder(loaded), (std::vector<int32_t>{4}));
}

INSTANTIATE_TEST_SUITE_P(FileChoice, FileChoiceFormat,
                         testing::Values(FormatCase{"UpperCaseCsvNameIsCatalogueFormat", "x.CSV",
                                                    "Corvane Tracklore"},
                                         FormatCase{"CsvNameIsCsv", "x.csv", "\r\nID"}),
                         test::CaseName());

TEST(FileChoice, FailedCsvLoadEmptiesCatalogue) {
    TTempDir dir;
    const std::string path = dir.Path("bad.csv");
    WriteFileBytes(path, "ID;FileSize;PlayLength;kBit/s;SampleRate\r\n1;0;0;0;0\r\nx;0;0;0;0\r\n");
    TTracklore catalogue;
    EXPECT_THROW(LoadByFormat(catalogue, path), EConvertError);
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_EQ(catalogue.LastID(), 0);
}

TEST(FileChoice, MergeGivesNewIdentifiersInFileOrder) {
    TTempDir dir;
    const std::string path = dir.Path("m.tracklore");
    TTracklore other;
    test::Fill(other, {MakeRecord(7, "seven"), MakeRecord(3, "three")});
    other.SaveToFile(path);  // sorted: 3, 7
    TTracklore catalogue;
    catalogue.InsertAsStored(MakeRecord(10, "ten"));
    EXPECT_EQ(MergeFromFile(catalogue, path), 2);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{10, 11, 12}));
    EXPECT_EQ(catalogue.SlotRecord(1)->Artist, "three");
}

TEST(FileChoice, MergingFileIntoItselfDoublesRecords) {
    TTempDir dir;
    const std::string path = dir.Path("self.csv");
    TTracklore catalogue;
    test::Fill(catalogue, {MakeRecord(1, "a"), MakeRecord(2, "b")});
    SaveByFormat(catalogue, path);
    MergeFromFile(catalogue, path);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(catalogue.SlotRecord(3)->Artist, "b");
}

TEST(FileChoice, FailedMergeKeepsCatalogueUnchanged) {
    TTempDir dir;
    TTracklore catalogue;
    catalogue.InsertAsStored(MakeRecord(1, "a"));
    EXPECT_THROW(MergeFromFile(catalogue, dir.Path("none.tracklore")), EInOutError);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{1}));
}

}  // namespace
}  // namespace tracklore
