// Tests of the preferences: defaults, first run, and loading and saving.
#include "ui/prefs.h"

#include <cstdlib>
#include <optional>

#include <gtest/gtest.h>

#include "platform/program.h"
#include "platform/registry.h"
#include "streams/stream_errors.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"

namespace tracklore::ui {
namespace {

using test::ReadFileBytes;
using test::TTempDir;
using test::WriteFileBytes;

constexpr char kKeyLine[] = "[HKEY_CURRENT_USER\\Software\\Corvane\\Tracklore\\1.0]\n";

// Every value differs from its default.
TPrefs ChangedPrefs() {
    TPrefs prefs;
    prefs.ListFont = {"DejaVu Sans", 11, 0x00336699, kFontBold | kFontUnderline | kFontStrikeOut};
    prefs.ListBkColor = 0x00EEDDCC;
    prefs.LastFile = "/home/jürgen/Müsik 音楽/\"best\" \\ of.tracklore";
    prefs.LastDir = "/home/jürgen/Müsik 音楽";
    prefs.HomeDir = "/opt/tracklore/";
    prefs.Xpos = -1200;
    prefs.Ypos = -5;
    prefs.Xsize = 1024;
    prefs.Ysize = 768;
    prefs.ScanVBR = true;
    prefs.Capacity = 150000;
    return prefs;
}

void ExpectSame(const TPrefs& actual, const TPrefs& expected) {
    EXPECT_EQ(actual.ListFont, expected.ListFont);
    EXPECT_EQ(actual.ListBkColor, expected.ListBkColor);
    EXPECT_EQ(actual.LastFile, expected.LastFile);
    EXPECT_EQ(actual.LastDir, expected.LastDir);
    EXPECT_EQ(actual.HomeDir, expected.HomeDir);
    EXPECT_EQ(actual.Xpos, expected.Xpos);
    EXPECT_EQ(actual.Ypos, expected.Ypos);
    EXPECT_EQ(actual.Xsize, expected.Xsize);
    EXPECT_EQ(actual.Ysize, expected.Ysize);
    EXPECT_EQ(actual.ScanVBR, expected.ScanVBR);
    EXPECT_EQ(actual.Capacity, expected.Capacity);
}

class Prefs : public testing::Test {
protected:
    // A store holding exactly `lines` under the application's key.
    void WriteStore(const std::string& lines) {
        WriteFileBytes(file_, std::string("REGEDIT4\n\n") + kKeyLine + lines + "\n");
    }

    TTempDir dir_;
    std::string file_ = dir_.Path("Tracklore.reg");
};

TEST_F(Prefs, DefaultsAreThoseOfAFirstRun) {
    const TPrefs prefs;
    EXPECT_EQ(prefs.ListFont, (TFontDesc{"MS Sans Serif", 8, kClWindowText, 0}));
    EXPECT_EQ(prefs.ListBkColor, static_cast<int32_t>(0x80000005));
    EXPECT_EQ(prefs.LastDir, ".");
    EXPECT_EQ(prefs.LastFile, "");
    EXPECT_EQ(prefs.HomeDir, platform::ProgramFolder());
    EXPECT_EQ(prefs.Xpos, 20);
    EXPECT_EQ(prefs.Ysize, 400);
    EXPECT_FALSE(prefs.ScanVBR);
    EXPECT_EQ(prefs.Capacity, 32769);
}

TEST_F(Prefs, FirstRunFailsAndKeepsEveryDefaultWithoutCreatingTheStore) {
    TPrefs prefs;
    EXPECT_FALSE(LoadPrefs(prefs, file_));
    ExpectSame(prefs, TPrefs());
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(Prefs, StoreThatCannotBeReadFailsLikeAFirstRun) {
    std::filesystem::create_directories(file_);  // a folder where the file belongs
    TPrefs prefs;
    EXPECT_FALSE(LoadPrefs(prefs, file_));
    ExpectSame(prefs, TPrefs());
}

TEST_F(Prefs, SavedValuesLoadBackUnchanged) {
    SavePrefs(ChangedPrefs(), file_);
    TPrefs loaded;
    EXPECT_TRUE(LoadPrefs(loaded, file_));
    ExpectSame(loaded, ChangedPrefs());
}

TEST_F(Prefs, SaveWritesEveryValueInOrderWithItsType) {
    TPrefs prefs;
    prefs.HomeDir = "/opt/";
    prefs.LastDir = "/m";
    SavePrefs(prefs, file_);
    EXPECT_EQ(ReadFileBytes(file_), std::string("REGEDIT4\n\n") + kKeyLine +
                                        "\"ListFontName\"=\"MS Sans Serif\"\n"
                                        "\"ListFontSize\"=dword:00000008\n"
                                        "\"ListFontColor\"=dword:80000008\n"
                                        "\"ListFontStyle\"=hex:00\n"
                                        "\"ListBkColor\"=dword:80000005\n"
                                        "\"LastDir\"=\"/m\"\n"
                                        "\"LastFile\"=\"\"\n"
                                        "\"HomeDir\"=\"/opt/\"\n"
                                        "\"Xpos\"=dword:00000014\n"
                                        "\"Ypos\"=dword:00000014\n"
                                        "\"Xsize\"=dword:00000258\n"
                                        "\"Ysize\"=dword:00000190\n"
                                        "\"ScanVBR\"=dword:00000000\n"
                                        "\"Capacity\"=dword:00008001\n"
                                        // The recent files follow, their unused slots empty.
                                        "\"RecentFile1\"=\"\"\n\"RecentFile2\"=\"\"\n"
                                        "\"RecentFile3\"=\"\"\n\"RecentFile4\"=\"\"\n"
                                        "\"RecentFile5\"=\"\"\n\"RecentFile6\"=\"\"\n"
                                        "\"RecentFile7\"=\"\"\n\"RecentFile8\"=\"\"\n"
                                        "\"OpenLastAtStart\"=dword:00000001\n"
                                        "\"AllListColumns\"=\"\"\n"
                                        "\"SelectedListColumns\"=\"\"\n\n");
}

TEST_F(Prefs, StoreWithoutCapacityLoadsTheDefaultAndAnyOtherIsBroughtIntoRange) {
    TPrefs saved = ChangedPrefs();
    SavePrefs(saved, file_);
    const std::string text = ReadFileBytes(file_);
    const size_t capacity = text.find("\"Capacity\"");
    WriteFileBytes(file_, text.substr(0, capacity));
    TPrefs loaded;
    EXPECT_TRUE(LoadPrefs(loaded, file_));
    saved.Capacity = TPrefs().Capacity;
    ExpectSame(loaded, saved);

    for (const auto& [stored, expected] :
         {std::pair{"00000010", 32769}, {"00200000", 1048576}, {"80000000", 32769}}) {
        WriteFileBytes(file_, text.substr(0, capacity) + "\"Capacity\"=dword:" + stored + "\n");
        EXPECT_TRUE(LoadPrefs(loaded, file_));
        EXPECT_EQ(loaded.Capacity, expected) << stored;
    }
    WriteFileBytes(file_, text.substr(0, capacity) + "\"Capacity\"=\"many\"\n");
    EXPECT_FALSE(LoadPrefs(loaded, file_));
}

TEST_F(Prefs, KeyOfAnOlderReleaseWithoutScanVBRLoadsTheRestAndFails) {
    TPrefs saved = ChangedPrefs();
    SavePrefs(saved, file_);
    std::string text = ReadFileBytes(file_);
    text.erase(text.find("\"ScanVBR\""));
    WriteFileBytes(file_, text);

    TPrefs loaded;
    EXPECT_FALSE(LoadPrefs(loaded, file_));
    saved.ScanVBR = false;
    saved.Capacity = TPrefs().Capacity;
    ExpectSame(loaded, saved);  // the font style included: it is applied before ScanVBR
}

TEST_F(Prefs, StyleOfTwoBytesStopsLoadingAfterNameSizeAndColour) {
    WriteStore(
        "\"ListFontName\"=\"Liberation Mono\"\n\"ListFontSize\"=dword:0000000c\n"
        "\"ListFontColor\"=dword:000000ff\n\"ListFontStyle\"=hex:01,02\n"
        "\"ListBkColor\"=dword:00ffffff\n\"LastDir\"=\"/music\"\n\"Xpos\"=dword:00000001\n");
    TPrefs loaded;
    EXPECT_FALSE(LoadPrefs(loaded, file_));
    TPrefs expected;
    expected.ListFont = {"Liberation Mono", 12, 0xFF, 0};
    ExpectSame(loaded, expected);
}

TEST_F(Prefs, ValueWrittenByHandInAnotherTypeStopsLoadingThere) {
    WriteStore(
        "\"ListFontName\"=\"\"\n\"ListFontSize\"=dword:00000009\n"
        "\"ListFontColor\"=dword:00000000\n\"ListFontStyle\"=hex:02\n"
        "\"ListBkColor\"=dword:00000001\n\"LastDir\"=\"/music\"\n"
        "\"Xpos\"=dword:00000030\n\"Ypos\"=dword:00000040\n\"Xsize\"=\"800\"\n"
        "\"Ysize\"=dword:00000100\n\"ScanVBR\"=dword:00000001\n");
    TPrefs loaded;
    EXPECT_FALSE(LoadPrefs(loaded, file_));
    TPrefs expected;
    expected.ListFont = {"MS Sans Serif", 9, 0, 0};  // the style waits for Ysize
    expected.ListBkColor = 1;
    expected.LastDir = "/music";
    expected.LastFile = "";  // missing texts read as empty
    expected.HomeDir = "";
    expected.Xpos = 0x30;
    expected.Ypos = 0x40;
    ExpectSame(loaded, expected);
}

TEST_F(Prefs, TextsMustNotBeOfAnotherType) {
    WriteStore("\"ListFontName\"=dword:00000001\n\"ListFontSize\"=dword:00000009\n");
    TPrefs loaded;
    EXPECT_FALSE(LoadPrefs(loaded, file_));
    ExpectSame(loaded, TPrefs());
}

TEST_F(Prefs, MissingTextsReadEmptyAndMissingStyleKeepsPlainFont) {
    WriteStore(
        "\"ListFontSize\"=dword:0000000a\n\"ListFontColor\"=dword:00000000\n"
        "\"ListBkColor\"=dword:00000001\n\"Xpos\"=dword:00000000\n\"Ypos\"=dword:00000000\n"
        "\"Xsize\"=dword:00000064\n\"Ysize\"=dword:00000064\n\"ScanVBR\"=dword:00000002\n");
    TPrefs loaded;
    EXPECT_TRUE(LoadPrefs(loaded, file_));
    EXPECT_EQ(loaded.ListFont, (TFontDesc{"MS Sans Serif", 10, 0, 0}));
    EXPECT_EQ(loaded.LastDir, "");
    EXPECT_EQ(loaded.HomeDir, "");
    EXPECT_TRUE(loaded.ScanVBR);  // any value but 0
}

TEST_F(Prefs, StyleBitsBeyondTheFourStylesAreDropped) {
    TPrefs prefs;
    SavePrefs(prefs, file_);
    std::string text = ReadFileBytes(file_);
    text.replace(text.find("hex:00"), 6, "hex:f6");
    WriteFileBytes(file_, text);
    TPrefs loaded;
    EXPECT_TRUE(LoadPrefs(loaded, file_));
    EXPECT_EQ(loaded.ListFont.Style, kFontItalic | kFontUnderline);
}

TEST_F(Prefs, SaveKeepsThePlayersValues) {
    WriteStore("\"PluginPlayer\"=\"PL_Ondine.so\"\n\"TempStorageLim\"=dword:00000032\n");
    SavePrefs(TPrefs(), file_);
    platform::TRegistry registry(file_);
    ASSERT_TRUE(registry.OpenKey(kRegistryKey, false));
    std::string plugin;
    EXPECT_EQ(registry.ReadString("PluginPlayer", plugin), platform::TRegResult::Ok);
    EXPECT_EQ(plugin, "PL_Ondine.so");
}

TEST_F(Prefs, SaveThatCannotWriteRaisesAndChangesNothing) {
    std::filesystem::create_directories(file_);  // a folder where the file belongs
    EXPECT_THROW(SavePrefs(TPrefs(), file_), EInOutError);
    EXPECT_TRUE(std::filesystem::is_directory(file_));
}

using test::TEnvGuard;

TEST(DefaultRegistryFile, ExplicitFileWinsOverTheConfigFolder) {
    const TEnvGuard file("TRACKLORE_REGISTRY", "/tmp/test.reg");
    const TEnvGuard config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(DefaultRegistryFile(), "/tmp/test.reg");
}

TEST(DefaultRegistryFile, LivesInTheUsersConfigFolder) {
    const TEnvGuard file("TRACKLORE_REGISTRY", std::nullopt);
    const TEnvGuard home("HOME", "/home/user");
    {
        const TEnvGuard config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(DefaultRegistryFile(), "/cfg/Corvane/Tracklore.reg");
    }
    {
        const TEnvGuard config("XDG_CONFIG_HOME", std::nullopt);
        EXPECT_EQ(DefaultRegistryFile(), "/home/user/.config/Corvane/Tracklore.reg");
    }
    {
        const TEnvGuard config("XDG_CONFIG_HOME", "relative");  // ignored
        EXPECT_EQ(DefaultRegistryFile(), "/home/user/.config/Corvane/Tracklore.reg");
    }
}

}  // namespace
}  // namespace tracklore::ui
