// Play, Add, Con&fig Player... and Tagsmith of the main window, with the fake plug-in.
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/format.h"
#include "core/messages.h"
#include "playback/ext_player.h"
#include "playback/player_dialog.h"
#include "playback/player_settings.h"
#include "tests/support/fake_plugin_host.h"
#include "tests/support/main_window_fixture.h"

namespace tracklore::test {
namespace {

using Strings = std::vector<std::string>;

class PlayerCommands : public MainWindowFixture {
protected:
    PlayerCommands() {
        std::filesystem::create_directories(dir_.Path("cd/Music"));
        std::filesystem::create_directories(dir_.Path("copies"));
        drives_.Set("e:cdrom=" + dir_.Path("cd") + "|DISC1");
        host_.Install();
    }

    /// Starts the window with the fake plug-in chosen (or none) and drive e searched.
    void StartWithPlayer(const std::string& plugin = "PL_Fake.so") {
        playback::TPlayerSettings settings;
        settings.PluginPlayer = plugin;
        settings.TempStoragePath = dir_.Path("copies") + "/";
        settings.SearchDriveSet = playback::DriveSetOf("e");
        playback::SavePlayerSettings(settings, Registry());
        Start();
        for (const char* name : {"a", "b", "c"}) {
            Put(std::string("cd/Music/") + name + ".mp3", name);
            TrackRecord record = MakeRecord("A", name);
            record.Volume = "DISC1";
            record.Filename = std::string("\\Music\\") + name + ".mp3";
            window_->Catalogue().Insert(record);
        }
        window_->Views().RefreshViews(ui::FullRebuild);
        ForgetShell();
        host_.ClearCalls();
    }

    void SelectAllRows() {
        ui::TListView& list = window_->Views().AllList();
        for (int row = 0; row < 3; ++row)
            list.SetSelected(row, true);
    }

    std::string OnDisc(const std::string& name) const { return dir_.Path("cd/Music/" + name); }

    TFakePluginHost host_;
};

TEST_F(PlayerCommands, PlayOfThreeRecordsPlaysTheFirstAndAddsTheOthers) {
    StartWithPlayer();
    SelectAllRows();
    window_->Run(ui::TCommandId::PlayerPlay, ui::TViewSource::AllList);
    const std::string copies = window_->Player()->PrivateTempFolder();
    EXPECT_EQ(host_.Calls(), (Strings{"Play 255 " + OnDisc("a.mp3"), "Add 255 " + copies + "/b.mp3",
                                      "Add 255 " + copies + "/c.mp3"}));
    EXPECT_EQ(shell_.StatusTexts, (Strings{msg::CallingPlayerPlugin, "Playing: \\Music\\a.mp3"}));
    EXPECT_EQ(shell_.MaxBusyDepth, 1);
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(PlayerCommands, AddHandsEverySelectedRecordToAdd) {
    StartWithPlayer();
    SelectAllRows();
    window_->Run(ui::TCommandId::PlayerAdd, ui::TViewSource::AllList);
    EXPECT_EQ(host_.Calls().size(), 3u);
    EXPECT_EQ(window_->Player()->TempFiles().size(), 3u);
}

TEST_F(PlayerCommands, AddOfAnArtistNodeStopsBeforeFetching) {
    StartWithPlayer();
    window_->Views().Tree().SetSelected(window_->Views().Tree().FindChild(nullptr, "A"));
    window_->Run(ui::TCommandId::PlayerAdd, ui::TViewSource::Tree);
    EXPECT_EQ(shell_.MessageTexts(), Strings{msg::InternalErrorSelectedIDs});
    EXPECT_TRUE(host_.Calls().empty());
}

TEST_F(PlayerCommands, PlayOfAnArtistNodeStopsWithTheCataloguesError) {
    StartWithPlayer();
    window_->Views().Tree().SetSelected(window_->Views().Tree().FindChild(nullptr, "A"));
    window_->Run(ui::TCommandId::PlayerPlay, ui::TViewSource::Tree);
    EXPECT_EQ(shell_.MessageTexts(), Strings{msg::InvalidID});
    EXPECT_TRUE(host_.Calls().empty());
}

TEST_F(PlayerCommands, NothingSelectedLeavesTheStatusText) {
    StartWithPlayer();
    window_->Run(ui::TCommandId::PlayerPlay, ui::TViewSource::AllList);
    EXPECT_EQ(shell_.StatusTexts, Strings{msg::CallingPlayerPlugin});
    EXPECT_TRUE(host_.Calls().empty());
}

TEST_F(PlayerCommands, NoPluginBoundSaysWhatToDoOncePerCommand) {
    StartWithPlayer("");
    SelectAllRows();
    window_->Run(ui::TCommandId::PlayerPlay, ui::TViewSource::AllList);
    window_->Run(ui::TCommandId::PlayerAdd, ui::TViewSource::AllList);
    EXPECT_EQ(shell_.MessageTexts(), (Strings{msg::NoPluginChosen, msg::NoPluginChosen}));
    EXPECT_EQ(shell_.ProgressShown, 0);
    EXPECT_EQ(shell_.StatusTexts,
              (Strings{msg::CallingPlayerPlugin, "", msg::CallingPlayerPlugin, ""}));
}

TEST_F(PlayerCommands, ChosenPluginThatDidNotLoadIsNamedWithTheReason) {
    StartWithPlayer("PL_Missing.so");
    SelectAllRows();
    window_->Run(ui::TCommandId::PlayerAdd, ui::TViewSource::AllList);
    EXPECT_EQ(shell_.MessageTexts(), Strings{Format(msg::PluginNotLoaded, "PL_Missing.so",
                                                    msg::PluginNotInProgramFolder)});
    EXPECT_TRUE(host_.Calls().empty());
}

TEST_F(PlayerCommands, TagsmithThatCannotBeStartedIsReported) {
    StartWithPlayer();
    shell_.ProgramStartError = ENOENT;
    window_->Run(ui::TCommandId::RunTagsmith);
    shell_.ProgramStartError = ENOEXEC;
    window_->Run(ui::TCommandId::RunTagsmith);
    EXPECT_EQ(shell_.MessageTexts(),
              (Strings{Format(msg::ProgramNotFound, "tagsmith"),
                       Format(msg::ProgramNotStarted, "tagsmith", std::strerror(ENOEXEC))}));
}

TEST_F(PlayerCommands, ConfigPlayerStoresTheChoicesOnOk) {
    StartWithPlayer();
    shell_.PlayerConfigAnswers.push_back([](playback::TExtPlayerDialog& dialog) {
        EXPECT_EQ(dialog.SelectedPlugin(), "PL_Fake.so");
        dialog.CK_DelOnPlay = true;
        return true;
    });
    window_->Run(ui::TCommandId::ConfigPlayer);
    EXPECT_TRUE(playback::LoadPlayerSettings(Registry()).TempDeleteOnPlay);
}

TEST_F(PlayerCommands, ExitDeletesTheCopiesAndUnloadsThePlugin) {
    StartWithPlayer();
    SelectAllRows();
    window_->Run(ui::TCommandId::PlayerAdd, ui::TViewSource::AllList);
    const std::string copies = window_->Player()->PrivateTempFolder();
    ASSERT_TRUE(std::filesystem::exists(copies + "/a.mp3"));
    window_->Destroy(0, 0, 600, 400);
    EXPECT_FALSE(std::filesystem::exists(copies));
    EXPECT_EQ(host_.Calls().back(), "unload");
    EXPECT_EQ(window_->Player(), nullptr);
}

TEST_F(PlayerCommands, StopIsShownOnlyWhileThePluginCanStop) {
    host_.InstallWithoutStop("PL_NoStop.so");
    for (const auto& [plugin, shown] :
         {std::pair{"PL_Fake.so", true}, std::pair{"PL_NoStop.so", false}, std::pair{"", false}}) {
        window_ = std::make_unique<ui::TMainWindow>(shell_, Registry());
        StartWithPlayer(plugin);
        EXPECT_EQ(shell_.StopCommandShown, shown) << plugin;
        window_->Destroy(0, 0, 600, 400);
        EXPECT_FALSE(shell_.StopCommandShown) << plugin;
    }
}

TEST_F(PlayerCommands, ChoosingAPluginWithoutStopHidesStop) {
    host_.InstallWithoutStop("PL_NoStop.so");
    StartWithPlayer();
    shell_.PlayerConfigAnswers.push_back([](playback::TExtPlayerDialog& dialog) {
        for (size_t row = 0; row < dialog.L_Plugins.size(); ++row)
            if (dialog.L_Plugins[row].Name == "PL_NoStop.so")
                dialog.L_PluginsSelected = static_cast<int>(row);
        return true;
    });
    window_->Run(ui::TCommandId::ConfigPlayer);
    EXPECT_EQ(window_->Player()->PluginPlayer(), "PL_NoStop.so");
    EXPECT_FALSE(shell_.StopCommandShown);
    window_->Run(ui::TCommandId::PlayerStop);
    EXPECT_TRUE(shell_.StatusTexts.empty());
}

TEST_F(PlayerCommands, StopAfterPlayStopsThePlayerAndSaysSo) {
    StartWithPlayer();
    window_->Views().AllList().SetSelected(0, true);
    window_->Run(ui::TCommandId::PlayerPlay, ui::TViewSource::AllList);
    window_->Run(ui::TCommandId::PlayerStop);
    EXPECT_EQ(host_.Calls(), (Strings{"Play 255 " + OnDisc("a.mp3"), "Stop"}));
    EXPECT_EQ(shell_.StatusTexts.back(), msg::PlayingStopped);
    host_.SetResult(-2);
    window_->Run(ui::TCommandId::PlayerStop);
    EXPECT_EQ(shell_.MessageTexts(), Strings{Format(msg::PlayerDidNotStop, -2)});
    EXPECT_EQ(shell_.StatusTexts.back(), msg::PlayingStopped);
}

}  // namespace
}  // namespace tracklore::test
