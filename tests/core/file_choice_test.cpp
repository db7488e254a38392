// Tests of the file steps of the file commands: format by extension, load and save.
#include "core/file_choice.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/convert.h"
#include "streams/stream_errors.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/temp_dir.h"

namespace tracklore {
namespace {

using test::IdsInSlotOrder;
using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

TrackRecord Track(int32_t id, const char* artist) {
    TrackRecord record;
    record.ID = id;
    record.Artist = artist;
    return record;
}

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

TEST(FileChoice, UpperCaseCsvNameIsSavedAndLoadedInCatalogueFormat) {
    TTempDir dir;
    const std::string path = dir.Path("x.CSV");
    TTracklore catalogue;
    catalogue.InsertAsStored(Track(4, "a"));
    SaveByFormat(catalogue, path);
    EXPECT_EQ(ReadFileBytes(path).substr(0, 17), "Corvane Tracklore");
    TTracklore loaded;
    LoadByFormat(loaded, path);
    EXPECT_EQ(IdsInSlotOrder(loaded), (std::vector<int32_t>{4}));
}

TEST(FileChoice, CsvNameIsSavedAndLoadedAsCsv) {
    TTempDir dir;
    const std::string path = dir.Path("x.csv");
    TTracklore catalogue;
    catalogue.InsertAsStored(Track(4, "a"));
    SaveByFormat(catalogue, path);
    EXPECT_EQ(ReadFileBytes(path).substr(0, 4), "\r\nID");
    TTracklore loaded;
    LoadByFormat(loaded, path);
    EXPECT_EQ(IdsInSlotOrder(loaded), (std::vector<int32_t>{4}));
}

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
    other.InsertAsStored(Track(7, "seven"));
    other.InsertAsStored(Track(3, "three"));
    other.SaveToFile(path);  // sorted: 3, 7
    TTracklore catalogue;
    catalogue.InsertAsStored(Track(10, "ten"));
    EXPECT_EQ(MergeFromFile(catalogue, path), 2);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{10, 11, 12}));
    EXPECT_EQ(catalogue.SlotRecord(1)->Artist, "three");
}

TEST(FileChoice, MergingFileIntoItselfDoublesRecords) {
    TTempDir dir;
    const std::string path = dir.Path("self.csv");
    TTracklore catalogue;
    catalogue.InsertAsStored(Track(1, "a"));
    catalogue.InsertAsStored(Track(2, "b"));
    SaveByFormat(catalogue, path);
    MergeFromFile(catalogue, path);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(catalogue.SlotRecord(3)->Artist, "b");
}

TEST(FileChoice, FailedMergeKeepsCatalogueUnchanged) {
    TTempDir dir;
    TTracklore catalogue;
    catalogue.InsertAsStored(Track(1, "a"));
    EXPECT_THROW(MergeFromFile(catalogue, dir.Path("none.tracklore")), EInOutError);
    EXPECT_EQ(IdsInSlotOrder(catalogue), (std::vector<int32_t>{1}));
}

}  // namespace
}  // namespace tracklore
