// Tests of the "Configure External Player" model.
#include "playback/player_dialog.h"

#include <gtest/gtest.h>

namespace tracklore::playback {
namespace {

TEST(ExtPlayerDialog, PluginRowsStaySortedByNameAndTheSelectionFollowsItsRow) {
    TExtPlayerDialog dialog;
    dialog.AddPlugin({"PL_M.so", "m"});
    dialog.L_PluginsSelected = 0;
    EXPECT_EQ(dialog.AddPlugin({"pl_b.so", "b"}), 0);
    EXPECT_EQ(dialog.AddPlugin({"PL_Z.so", "z"}), 2);
    EXPECT_EQ(dialog.L_Plugins[0].Name, "pl_b.so");
    EXPECT_EQ(dialog.SelectedPlugin(), "PL_M.so");
}

TEST(ExtPlayerDialog, NoSelectionGivesNoPlugin) {
    TExtPlayerDialog dialog;
    dialog.AddPlugin({"PL_M.so", "m"});
    EXPECT_EQ(dialog.SelectedPlugin(), "");
    dialog.L_PluginsSelected = 5;
    EXPECT_EQ(dialog.SelectedPlugin(), "");
}

TEST(ExtPlayerDialog, SliderKeepsToItsRangeAndLabelShowsMegabytes) {
    TExtPlayerDialog dialog;
    dialog.SetTempLimit(0);
    EXPECT_EQ(dialog.L_Limit(), "10 MB");
    dialog.SetTempLimit(1000);
    EXPECT_EQ(dialog.L_Limit(), "100 MB");
    dialog.SetTempLimit(70);
    EXPECT_EQ(dialog.L_Limit(), "70 MB");
}

TEST(DriveTypeText, EachSystemTypeHasItsText) {
    using platform::DriveType;
    EXPECT_EQ(DriveTypeText(DriveType::kRemovable), "(floppy drive)");
    EXPECT_EQ(DriveTypeText(DriveType::kFixed), "(fixed disk)");
    EXPECT_EQ(DriveTypeText(DriveType::kRemote), "(network)");
    EXPECT_EQ(DriveTypeText(DriveType::kCDRom), "(cdrom)");
    EXPECT_EQ(DriveTypeText(DriveType::kRamDisk), "(RAM disk)");
    EXPECT_EQ(DriveTypeText(DriveType::kUnknown), "");
}

}  // namespace
}  // namespace tracklore::playback
