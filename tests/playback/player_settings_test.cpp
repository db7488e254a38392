// Tests of the player's settings in the registry store.
#include "playback/player_settings.h"

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "tests/support/temp_dir.h"
#include "ui/prefs.h"

namespace tracklore::playback {
namespace {

using test::ReadFileBytes;
using test::TTempDir;

void Write(const std::string& file,
           const std::vector<std::pair<std::string, platform::TRegValue>>& values) {
    platform::TRegistry registry(file);
    ASSERT_TRUE(registry.OpenKey(ui::kRegistryKey, true));
    registry.WriteValues(values);
}

TEST(PlayerSettings, MissingKeyGivesTheTemporaryFolderAndFifty) {
    TTempDir dir;
    const TPlayerSettings settings = LoadPlayerSettings(dir.Path("none.reg"));
    EXPECT_EQ(settings.PluginPlayer, "");
    EXPECT_EQ(settings.TempStoragePath, TempFolder());
    EXPECT_EQ(settings.TempStoragePath.back(), '/');
    EXPECT_EQ(settings.TempStorageLim, 50);
    EXPECT_EQ(settings.SearchDriveSet, 0u);
    EXPECT_FALSE(settings.TempDeleteOnPlay);
}

TEST(PlayerSettings, RoundTripKeepsEveryValue) {
    TTempDir dir;
    TPlayerSettings settings;
    settings.PluginPlayer = "PL_Ondine.so";
    settings.TempStoragePath = "/var/tmp/copies/";
    settings.TempStorageLim = 70;
    settings.SearchDriveSet = DriveSetOf("dc");
    settings.TempDeleteOnPlay = true;
    SavePlayerSettings(settings, dir.Path("r.reg"));
    EXPECT_EQ(LoadPlayerSettings(dir.Path("r.reg")), settings);
}

TEST(PlayerSettings, WrittenInTheirOrderBesideOtherValues) {
    TTempDir dir;
    Write(dir.Path("r.reg"), {{"ListFontSize", platform::RegInteger(8)}});
    TPlayerSettings settings;
    settings.SearchDriveSet = DriveSetOf("ez");
    SavePlayerSettings(settings, dir.Path("r.reg"));
    const std::string text = ReadFileBytes(dir.Path("r.reg"));
    const size_t font = text.find("\"ListFontSize\"");
    const size_t plugin = text.find("\"PluginPlayer\"");
    const size_t path = text.find("\"TempStoragePath\"");
    const size_t drives = text.find("\"SearchDrives\"=\"ez\"");
    const size_t limit = text.find("\"TempStorageLim\"");
    const size_t onPlay = text.find("\"TempDeleteOnPlay\"=dword:00000000");
    ASSERT_NE(onPlay, std::string::npos) << text;
    EXPECT_LT(font, plugin);
    EXPECT_LT(plugin, path);
    EXPECT_LT(path, drives);
    EXPECT_LT(drives, limit);
    EXPECT_LT(limit, onPlay);
}

TEST(PlayerSettings, FailedReadKeepsWhatWasReadBefore) {
    TTempDir dir;
    // TempStorageLim of the wrong type: the reading stops there.
    Write(dir.Path("r.reg"), {{"PluginPlayer", platform::RegText("PL_X.so")},
                              {"TempStoragePath", platform::RegText("/copies/")},
                              {"TempStorageLim", platform::RegText("70")},
                              {"SearchDrives", platform::RegText("cd")},
                              {"TempDeleteOnPlay", platform::RegInteger(1)}});
    const TPlayerSettings settings = LoadPlayerSettings(dir.Path("r.reg"));
    EXPECT_EQ(settings.PluginPlayer, "PL_X.so");
    EXPECT_EQ(settings.TempStoragePath, "/copies/");
    EXPECT_EQ(settings.TempStorageLim, 0);
    EXPECT_EQ(settings.SearchDriveSet, 0u);
    EXPECT_FALSE(settings.TempDeleteOnPlay);
}

TEST(PlayerSettings, DeleteOnPlayOnlyWhenStoredAsExactlyOne) {
    TTempDir dir;
    Write(dir.Path("r.reg"), {{"PluginPlayer", platform::RegText("")},
                              {"TempStoragePath", platform::RegText("/copies/")},
                              {"TempStorageLim", platform::RegInteger(20)},
                              {"SearchDrives", platform::RegText("c")},
                              {"TempDeleteOnPlay", platform::RegInteger(2)}});
    EXPECT_FALSE(LoadPlayerSettings(dir.Path("r.reg")).TempDeleteOnPlay);
}

TEST(PlayerSettings, UnwritableStoreIsIgnored) {
    TTempDir dir;
    test::WriteFileBytes(dir.Path("blocker"), "x");
    EXPECT_NO_THROW(SavePlayerSettings(TPlayerSettings(), dir.Path("blocker/r.reg")));
}

TEST(DriveSet, LettersMapToBitsOneToTwentySix) {
    EXPECT_EQ(DriveBit('a'), 1u << 1);
    EXPECT_EQ(DriveBit('z'), 1u << 26);
    EXPECT_EQ(DriveBit('A'), 0u);
    EXPECT_EQ(DriveSetOf("Cx?c"), DriveBit('c') | DriveBit('x'));
    EXPECT_EQ(SearchDrivesText(DriveSetOf("zdc")), "cdz");
    EXPECT_TRUE(InDriveSet(DriveSetOf("d"), 'd'));
    EXPECT_FALSE(InDriveSet(DriveSetOf("d"), 'e'));
}

}  // namespace
}  // namespace tracklore::playback
