// Binding the plug-in, the plug-in list, the dialog and the player's lifetime.
#include "playback/ext_player.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "core/format.h"
#include "core/messages.h"
#include "playback/player_dialog.h"
#include "tests/playback/player_fixture.h"

namespace tracklore::playback {
namespace {

using Strings = std::vector<std::string>;

class ExtPlayer : public test::PlayerFixture {};

TEST_F(ExtPlayer, CreationBindsTheStoredPluginAndAllFiveEntries) {
    auto player = MakePlayer(Settings());
    EXPECT_TRUE(player->PluginLoaded());
    EXPECT_EQ(player->PluginPlayer(), "PL_Fake.so");
    const TPluginEntries& entries = player->Entries();
    EXPECT_NE(entries.InitLibrary, nullptr);
    EXPECT_NE(entries.GetPluginName, nullptr);
    EXPECT_NE(entries.Play, nullptr);
    EXPECT_NE(entries.Add, nullptr);
    EXPECT_NE(entries.Configure, nullptr);
}

TEST_F(ExtPlayer, PluginThatDoesNotLoadLeavesNoneBoundWithoutAMessage) {
    TPlayerSettings settings = Settings();
    settings.PluginPlayer = "PL_Missing.so";
    auto player = MakePlayer(settings);
    EXPECT_FALSE(player->PluginLoaded());
    EXPECT_EQ(player->PluginPlayer(), "");
    EXPECT_EQ(player->Entries().Play, nullptr);
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(ExtPlayer, BindPluginUnloadsTheOldOneFirst) {
    auto player = MakePlayer(Settings());
    EXPECT_TRUE(player->BindPlugin("PL_Fake.so"));
    EXPECT_EQ(host_.Calls(), (Strings{"unload", "load"}));
}

TEST_F(ExtPlayer, PluginInTheProgramsFolderIsBoundByItsBareName) {
    host_.Install("PL_Own.so", host_.Own());
    auto player = MakePlayer(Settings());
    EXPECT_TRUE(player->BindPlugin("PL_Own.so"));
    EXPECT_EQ(player->PluginPlayer(), "PL_Own.so");
}

TEST_F(ExtPlayer, BareNameInTheCurrentFolderIsNeverLoaded) {
    host_.Install("PL_Here.so", host_.Current());
    TPlayerSettings settings = Settings();
    settings.PluginPlayer = "PL_Here.so";
    auto player = MakePlayer(settings);
    EXPECT_FALSE(player->PluginLoaded());
    EXPECT_TRUE(host_.Calls().empty());
    host_.ClearCalls();
    EXPECT_FALSE(player->BindPlugin("PL_Here.so"));
    EXPECT_TRUE(host_.Calls().empty());
    EXPECT_EQ(player->PluginProblem(true),
              Format(msg::PluginNotLoaded, "PL_Here.so", msg::PluginNotInProgramFolder));
}

TEST_F(ExtPlayer, CurrentFolderPluginIsListedMarkedAndBoundByItsPathOnlyWhenPicked) {
    host_.SetName("Here");
    const std::string here = host_.Install("PL_Here.so", host_.Current());
    auto player = MakePlayer(Settings());
    shell_.PlayerConfigAnswers.push_back([&](TExtPlayerDialog& dialog) {
        EXPECT_EQ(dialog.SelectedPlugin(), "PL_Fake.so");
        if (dialog.L_Plugins.size() != 2u) return false;
        EXPECT_EQ(dialog.L_Plugins[1].Description, Format(msg::PluginInCurrentFolder, "Here"));
        dialog.L_PluginsSelected = 1;
        return true;
    });
    ASSERT_TRUE(player->Execute());
    EXPECT_TRUE(player->PluginLoaded());
    const std::string picked = player->PluginPlayer();
    EXPECT_EQ(std::filesystem::canonical(picked), std::filesystem::canonical(here));
    // The pick is kept by its path, and shown again when that folder is no longer current.
    EXPECT_EQ(LoadPlayerSettings(Registry()).PluginPlayer, picked);
    std::filesystem::current_path(host_.Own());
    TExtPlayerDialog dialog;
    player->RefreshDLLList(dialog);
    EXPECT_EQ(dialog.SelectedPlugin(), picked);
}

TEST_F(ExtPlayer, RefreshListsEveryLoadablePluginAndSelectsTheBoundOneIgnoringCase) {
    host_.SetName("Fake Player One");
    host_.Install("PL_Zed.so", host_.Own());
    test::WriteFileBytes(host_.Current() + "/PL_Broken.so", "no library");
    auto player = MakePlayer(Settings());
    player->Settings().PluginPlayer = "pl_fake.SO";

    TExtPlayerDialog dialog;
    player->RefreshDLLList(dialog);
    ASSERT_EQ(dialog.L_Plugins.size(), 2u);
    EXPECT_EQ(dialog.L_Plugins[0], (TPluginRow{"PL_Fake.so", "Fake Player One"}));
    EXPECT_EQ(dialog.L_Plugins[1].Name, "PL_Zed.so");
    EXPECT_EQ(dialog.L_PluginsSelected, 0);
    // Each library is loaded for its name and unloaded again; the bound one, already
    // loaded, only gains and loses a reference and stays bound.
    EXPECT_EQ(host_.Calls(), (Strings{"GetPluginName 255", "load", "GetPluginName 255", "unload"}));
    EXPECT_TRUE(player->PluginLoaded());
}

TEST_F(ExtPlayer, DialogShowsTheStateAndEveryDriveWithItsType) {
    TPlayerSettings settings = Settings("e");
    settings.TempStorageLim = 30;
    settings.TempDeleteOnPlay = true;
    auto player = MakePlayer(settings);
    TExtPlayerDialog dialog;
    player->FillDialog(dialog);
    EXPECT_EQ(dialog.E_TempDir, settings.TempStoragePath);
    EXPECT_EQ(dialog.TB_TempLimit, 30);
    EXPECT_EQ(dialog.L_Limit(), "30 MB");
    EXPECT_TRUE(dialog.CK_DelOnPlay);
    EXPECT_EQ(dialog.SelectedPlugin(), "PL_Fake.so");
    // Each drive shows its folder and label, which tell the drives apart.
    EXPECT_EQ(dialog.CL_Drives,
              (std::vector<TDriveRow>{{"c:", "(fixed disk)", false, dir_.Path("fixed"), "FIXED1"},
                                      {"e:", "(cdrom)", true, dir_.Path("cd"), "DISC1"},
                                      {"f:", "(floppy drive)", false, dir_.Path("usb"), ""}}));
}

TEST_F(ExtPlayer, OkRebindsTakesTheFieldsAndStoresThem) {
    auto player = MakePlayer(Settings(""));
    shell_.PlayerConfigAnswers.push_back([&](TExtPlayerDialog& dialog) {
        dialog.CL_Drives[0].Checked = true;
        dialog.CL_Drives[2].Checked = true;
        dialog.E_TempDir = "/elsewhere/";
        dialog.SetTempLimit(80);
        dialog.CK_DelOnPlay = true;
        return true;
    });
    EXPECT_TRUE(player->Execute());
    EXPECT_EQ(host_.Calls().back(), "load");  // rebound although the choice stayed
    const TPlayerSettings& now = player->Settings();
    EXPECT_EQ(SearchDrivesText(now.SearchDriveSet), "cf");
    EXPECT_EQ(now.TempStoragePath, "/elsewhere/");
    EXPECT_EQ(now.TempStorageLim, 80);
    EXPECT_TRUE(now.TempDeleteOnPlay);
    EXPECT_EQ(LoadPlayerSettings(Registry()), now);
}

TEST_F(ExtPlayer, OkWithoutASelectedPluginUnbinds) {
    auto player = MakePlayer(Settings());
    shell_.PlayerConfigAnswers.push_back([](TExtPlayerDialog& dialog) {
        dialog.L_PluginsSelected = -1;
        return true;
    });
    player->Execute();
    EXPECT_FALSE(player->PluginLoaded());
    EXPECT_EQ(LoadPlayerSettings(Registry()).PluginPlayer, "");
}

TEST_F(ExtPlayer, CancelChangesNothing) {
    auto player = MakePlayer(Settings("c"));
    shell_.PlayerConfigAnswers.push_back([](TExtPlayerDialog& dialog) {
        dialog.CL_Drives[1].Checked = true;
        dialog.E_TempDir = "/elsewhere/";
        return false;
    });
    EXPECT_FALSE(player->Execute());
    EXPECT_EQ(player->Settings(), Settings("c"));
    // Only the list's own look at the plug-in: the bound one was not touched.
    EXPECT_EQ(host_.Calls(), Strings{"GetPluginName 255"});
}

TEST_F(ExtPlayer, CloseUnloadsThePluginOnce) {
    auto player = MakePlayer(Settings());
    player->Close();
    player.reset();
    EXPECT_EQ(host_.Calls(), Strings{"unload"});
}

TEST_F(ExtPlayer, StopIsBoundOnlyFromAPluginThatExportsIt) {
    auto player = MakePlayer(Settings());
    EXPECT_TRUE(player->CanStop());
    host_.ClearCalls();
    EXPECT_TRUE(player->StopPlaying());
    EXPECT_EQ(host_.Calls(), Strings{"Stop"});

    // This one runs over the playing engine, which has a Stop of its own.
    host_.InstallWithoutStop("PL_NoStop.so");
    ASSERT_TRUE(player->BindPlugin("PL_NoStop.so"));
    EXPECT_NE(player->Entries().Play, nullptr);
    EXPECT_FALSE(player->CanStop());
    host_.ClearCalls();
    EXPECT_FALSE(player->StopPlaying());
    EXPECT_TRUE(host_.Calls().empty());
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(ExtPlayer, StopThatFailsIsReported) {
    auto player = MakePlayer(Settings());
    host_.SetResult(-1);
    EXPECT_FALSE(player->StopPlaying());
    EXPECT_EQ(shell_.MessageTexts(), Strings{Format(msg::PlayerDidNotStop, -1)});
}

TEST(PluginText, CutTo255BytesNeverInsideACharacter) {
    const std::string path = "/" + std::string(253, 'a') + "\xC3\xA9";  // 256 bytes
    const TPluginText text = ToPluginText(path);
    EXPECT_EQ(text[0], 254);
    EXPECT_EQ(FromPluginText(text), path.substr(0, 254));
    EXPECT_EQ(FromPluginText(ToPluginText("/a.mp3")), "/a.mp3");
}

}  // namespace
}  // namespace tracklore::playback
