// File Info's totals, the statistics texts, and Total Filesize in the status line.
#include "ui/statistics.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/main_window_fixture.h"
#include "ui/statistics.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TViewSource;

void AddFile(TTracklore& catalogue, uint32_t size, uint16_t seconds = 0) {
    TrackRecord record;
    record.FileSize = size;
    record.PlayLength = seconds;
    catalogue.Insert(record);
}

TEST(Statistics, EmptyCatalogueShowsZeroesAndNoDatabaseSize) {
    TTracklore catalogue;
    const ui::TStatisticsBox box = ui::FillStatistics(catalogue, "Untitled");
    using Texts = std::vector<std::string>;
    EXPECT_EQ((Texts{box.L_Filename, box.L_Count, box.L_TotalPlaytime, box.L_TotalStorageSize,
                     box.L_Filesize}),
              (Texts{"Untitled", "0", "0h 0m 0s", "0KB  =  0MB", ""}));
}

TEST(Statistics, PlaytimeCarriesSecondsIntoHours) {
    TTracklore catalogue;
    AddFile(catalogue, 0, 3599);
    AddFile(catalogue, 0, 2);
    EXPECT_EQ(ui::FillStatistics(catalogue, "").L_TotalPlaytime, "1h 0m 1s");
    EXPECT_EQ(ui::PlaytimeText(2 * 3600 + 59 * 60 + 7), "2h 59m 7s");
}

TEST(Statistics, EachFileIsTruncatedToWholeKBBeforeAdding) {
    TTracklore catalogue;
    AddFile(catalogue, 1023);
    AddFile(catalogue, 1023);
    const ui::TStatisticsBox box = ui::FillStatistics(catalogue, "");
    EXPECT_EQ(box.L_Count, "2");
    EXPECT_EQ(box.L_TotalStorageSize, "0KB  =  0MB");
}

TEST(Statistics, MegabytesAreWholeKBDividedRoundingDown) {
    EXPECT_EQ(ui::StorageSizeText(5120), "5120KB  =  5MB");
    EXPECT_EQ(ui::StorageSizeText(2047), "2047KB  =  1MB");
}

TEST(Statistics, HolesAreSkippedAndTotalsDoNotOverflow) {
    TTracklore catalogue;
    // 600 files of 4 GB: more KB than a 32-bit signed sum holds.
    for (int i = 0; i < 600; ++i)
        AddFile(catalogue, 0xFFFFFFFFu, 65535);
    TrackRecord first;
    first.ID = 1;
    catalogue.Delete(first);
    const ui::TCatalogueTotals totals = ui::CatalogueTotals(catalogue);
    EXPECT_EQ(totals.Count, 599);
    EXPECT_EQ(totals.KB, 599LL * 4194303);
    EXPECT_EQ(totals.Seconds, 599LL * 65535);
    EXPECT_EQ(ui::StorageSizeText(totals.KB), "2512387497KB  =  2453503MB");
}

TEST(Statistics, SelectedSizeIsInMegabytesRightAligned) {
    EXPECT_EQ(ui::SelectedSizeText(1048576 + 524288), "Size of selected files is:   1.50 M");
    EXPECT_EQ(ui::SelectedSizeText(0), "Size of selected files is:   0.00 M");
}

using StatisticsCommands = MainWindowFixture;

TEST_F(StatisticsCommands, FileInfoShowsTheOpenFileAndTheTotals) {
    Start({WriteCatalogue("stats.tracklore", {"a", "b", "c"})});
    ui::TStatisticsBox shown;
    shell_.OnStatistics = [&](const ui::TStatisticsBox& box) { shown = box; };
    window_->Run(TCommandId::FileInfo);
    EXPECT_EQ(shell_.StatisticsShown, 1);
    EXPECT_EQ(shown.L_Filename, dir_.Path("stats.tracklore"));
    EXPECT_EQ(shown.L_Count, "3");
}

TEST_F(StatisticsCommands, TotalFilesizeOfSelectedRowsGoesToTheStatusLine) {
    Start();
    AddFile(window_->Catalogue(), 1048576);
    AddFile(window_->Catalogue(), 4096);
    AddFile(window_->Catalogue(), 524288);
    window_->Views().RefreshViews(ui::FullRebuild);
    window_->Views().AllList().SetSelected(0, true);
    window_->Views().AllList().SetSelected(2, true);
    window_->Run(TCommandId::TotalFilesize, TViewSource::AllList);
    EXPECT_EQ(shell_.Status, "Size of selected files is:   1.50 M");
}

TEST_F(StatisticsCommands, TotalFilesizeWithNothingSelectedDoesNothing) {
    Start();
    AddRecords({"a"});
    ForgetShell();
    window_->Run(TCommandId::TotalFilesize, TViewSource::AllList);
    EXPECT_TRUE(shell_.StatusTexts.empty());
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(StatisticsCommands, TotalFilesizeOfAnArtistNodeReportsTheInvalidIdOnly) {
    Start();
    AddRecords({"a"});
    window_->Views().Tree().SetSelected(window_->Views().Tree().Root().Children.at(0).get());
    ForgetShell();
    window_->Run(TCommandId::TotalFilesize, TViewSource::Tree);
    EXPECT_EQ(shell_.MessageTexts(), std::vector<std::string>{msg::InvalidID});
    EXPECT_TRUE(shell_.StatusTexts.empty());
}

}  // namespace
}  // namespace tracklore::test
