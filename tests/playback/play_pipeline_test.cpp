// Playing and adding files: finding the volume, temporary copies, the calls into the
// plug-in and the deletion of the copies.
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/format.h"
#include "core/messages.h"
#include "playback/ext_player.h"
#include "tests/playback/player_fixture.h"

namespace tracklore::playback {
namespace {

using Strings = std::vector<std::string>;
using ui::TModalResult;

class PlayPipeline : public test::PlayerFixture {
protected:
    std::string NotFound(const std::string& volume) const {
        return Format(msg::VolumeNotFound, volume.c_str());
    }
    /// The letter of the drive a player with `settings` finds for `label`, or '-' for none.
    char FoundLetter(const playback::TPlayerSettings& settings, const std::string& label) {
        const auto drive = MakePlayer(settings)->FindVolumeDrive(label);
        return drive ? drive->Letter : '-';
    }

    /// A player with the usual settings whose copies go to `folder`.
    std::unique_ptr<playback::TExtPlayer> PlayerCopyingTo(const std::string& folder) {
        playback::TPlayerSettings settings = Settings();
        settings.TempStoragePath = folder;
        return MakePlayer(settings);
    }

    /// Where `player` put its copy of `name`.
    static std::string CopyOf(const TExtPlayer& player, const std::string& name) {
        return player.PrivateTempFolder() + "/" + name;
    }
};

TEST_F(PlayPipeline, VolumeIsFoundOnTheFirstSearchedDriveWithItsLabel) {
    EXPECT_EQ(FoundLetter(Settings(), "DISC1"), 'e');
}

TEST_F(PlayPipeline, LabelsDifferingInCaseDoNotMatch) {
    auto player = MakePlayer(Settings());
    EXPECT_FALSE(player->FindVolumeDrive("disc1"));
}

TEST_F(PlayPipeline, EmptyLabelMatchesTheFirstSearchedDriveWithoutOne) {
    EXPECT_EQ(FoundLetter(Settings(), ""), 'f');
}

TEST_F(PlayPipeline, DrivesNotSearchedAreNotLookedAt) {
    auto player = MakePlayer(Settings("cf"));
    EXPECT_FALSE(player->FindVolumeDrive("DISC1"));
}

TEST_F(PlayPipeline, PlayHandsTheFullPathOnTheDriveToThePlugin) {
    Put("cd/Music/a.mp3", "music");
    auto player = MakePlayer(Settings());
    player->PlayNow("DISC1", "\\Music\\a.mp3");
    EXPECT_EQ(host_.Calls(), Strings{"Play 255 " + dir_.Path("cd/Music/a.mp3")});
    EXPECT_TRUE(player->TempFiles().empty());
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(PlayPipeline, VolumeNotFoundIsSearchedAgainAfterYes) {
    Put("cd/Music/a.mp3", "x");
    auto player = MakePlayer(Settings());
    shell_.MessageAnswers = {TModalResult::Yes};
    // The user inserts the disc while the question is up.
    shell_.OnMessageBox = [&](const test::TScriptedShell::Message&) {
        SetDrives("e:cdrom=" + dir_.Path("cd") + "|DISC2");
    };
    player->PlayNow("DISC2", "/Music/a.mp3");
    ASSERT_EQ(shell_.MessageTexts(), Strings{NotFound("DISC2")});
    EXPECT_EQ(shell_.Messages[0].Buttons, unsigned(ui::mbYes | ui::mbNo));
    EXPECT_EQ(shell_.Messages[0].Caption, msg::AppTitle);
    EXPECT_EQ(host_.Calls(), Strings{"Play 255 " + dir_.Path("cd/Music/a.mp3")});
}

TEST_F(PlayPipeline, NoDriveCheckedAsksUntilNo) {
    auto player = MakePlayer(Settings(""));
    shell_.MessageAnswers = {TModalResult::Yes, TModalResult::Yes, TModalResult::No};
    player->PlayNow("FIXED1", "/Music/a.mp3");
    EXPECT_EQ(shell_.Messages.size(), 3u);
    EXPECT_TRUE(host_.Calls().empty());
}

TEST_F(PlayPipeline, PluginRefusalIsReported) {
    Put("fixed/Music/a.mp3", "x");
    auto player = MakePlayer(Settings());
    host_.SetResult(-1);
    player->PlayNow("FIXED1", "/Music/a.mp3");
    player->AddToPlayer("FIXED1", "/Music/a.mp3");
    EXPECT_EQ(shell_.MessageTexts(), (Strings{msg::PlayerNotRunning, msg::PlayerNotRunning}));
}

TEST_F(PlayPipeline, NoPluginBoundDoesNothingAtAll) {
    TPlayerSettings settings = Settings("");
    settings.PluginPlayer.clear();
    auto player = MakePlayer(settings);
    player->PlayNow("DISC1", "/Music/a.mp3");
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_TRUE(shell_.ProgressStates.empty());
}

TEST_F(PlayPipeline, AddFromACdCopiesToTemporaryStorageAndAddsTheCopy) {
    Put("cd/Music/a.mp3", "cd music");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    const std::string copy = CopyOf(*player, "a.mp3");
    EXPECT_EQ(std::filesystem::path(copy).parent_path().parent_path(), dir_.Path("copies"));
    EXPECT_EQ(test::ReadFileBytes(copy), "cd music");
    EXPECT_EQ(player->TempFiles(), Strings{copy});
    EXPECT_EQ(host_.Calls(), Strings{"Add 255 " + copy});
}

TEST_F(PlayPipeline, AddFromAFixedDiskMakesNoCopy) {
    Put("fixed/Music/a.mp3", "disk music");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("FIXED1", "/Music/a.mp3");
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("copies/a.mp3")));
    EXPECT_TRUE(player->TempFiles().empty());
    EXPECT_EQ(host_.Calls(), Strings{"Add 255 " + dir_.Path("fixed/Music/a.mp3")});
}

TEST_F(PlayPipeline, AddShowsEachStepInTheProgressBox) {
    Put("cd/Music/a.mp3", "x");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    ASSERT_EQ(shell_.ProgressStates.size(), 2u);
    const auto& shown = shell_.ProgressStates[0];
    EXPECT_TRUE(shown.Visible);
    EXPECT_EQ(shown.Job, "Adding the file \"/Music/a.mp3\" from \"DISC1\"");
    EXPECT_EQ(shown.Steps, (std::array<std::string, 3>{"*  Scanning for volume...",
                                                       "*  Copying file to temporary location...",
                                                       "*  Calling external player..."}));
    EXPECT_EQ(shown.Progress, 0);
    EXPECT_EQ(shown.Current, 1);
    const auto& hidden = shell_.ProgressStates[1];
    EXPECT_FALSE(hidden.Visible);
    EXPECT_EQ(hidden.Progress, 100);
    EXPECT_EQ(hidden.Current, 3);
}

TEST_F(PlayPipeline, AddGivenUpHidesTheProgressBox) {
    auto player = MakePlayer(Settings());
    shell_.MessageAnswers = {TModalResult::No};
    player->AddToPlayer("NOWHERE", "/Music/a.mp3");
    ASSERT_EQ(shell_.ProgressStates.size(), 2u);
    EXPECT_FALSE(shell_.ProgressStates[1].Visible);
    EXPECT_EQ(shell_.ProgressStates[1].Progress, 0);
    EXPECT_TRUE(host_.Calls().empty());
}

TEST_F(PlayPipeline, TempFolderTypedWithoutSeparatorStillReceivesTheCopyInside) {
    Put("cd/Music/a.mp3", "x");
    auto player = PlayerCopyingTo(dir_.Path("copies"));
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    EXPECT_EQ(std::filesystem::path(CopyOf(*player, "a.mp3")).parent_path().parent_path(),
              dir_.Path("copies"));
    EXPECT_TRUE(std::filesystem::exists(CopyOf(*player, "a.mp3")));
}

TEST_F(PlayPipeline, SecondAddOverwritesTheEarlierCopyAndListsItOnce) {
    Put("cd/Music/a.mp3", "first");
    Put("usb/a.mp3", "second");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    player->AddToPlayer("", "/a.mp3");
    EXPECT_EQ(test::ReadFileBytes(CopyOf(*player, "a.mp3")), "second");
    EXPECT_EQ(player->TempFiles().size(), 1u);
}

TEST_F(PlayPipeline, FailedCopyIsReportedAndNothingIsAdded) {
    Put("cd/Music/missing.mp3", "x");
    auto player = PlayerCopyingTo(dir_.Path("no such folder/"));
    player->AddToPlayer("DISC1", "/Music/missing.mp3");
    EXPECT_EQ(shell_.MessageTexts(),
              Strings{Format(msg::FailedToCopyTemp, dir_.Path("cd/Music/missing.mp3").c_str(),
                             dir_.Path("no such folder/missing.mp3").c_str())});
    EXPECT_TRUE(host_.Calls().empty());
    EXPECT_TRUE(player->TempFiles().empty());
}

TEST_F(PlayPipeline, TempFolderThatHoldsTheFileKeepsTheFileWhole) {
    Put("cd/Music/a.mp3", "keep me");
    auto player = PlayerCopyingTo(dir_.Path("cd/Music/"));
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    player->Close();
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("cd/Music/a.mp3")), "keep me");
}

TEST_F(PlayPipeline, PlayDeletesEarlierCopiesFirstWhenAsked) {
    Put("cd/Music/a.mp3", "x");
    TPlayerSettings settings = Settings();
    settings.TempDeleteOnPlay = true;
    auto player = MakePlayer(settings);
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    const std::string copy = CopyOf(*player, "a.mp3");
    player->PlayNow("DISC1", "/Music/a.mp3");
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(player->TempFiles().empty());
}

TEST_F(PlayPipeline, PlayKeepsCopiesWhenNotAsked) {
    Put("cd/Music/a.mp3", "x");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    player->PlayNow("DISC1", "/Music/a.mp3");
    EXPECT_EQ(player->TempFiles().size(), 1u);
}

TEST_F(PlayPipeline, CopyThatCannotBeDeletedAsksAbortRetryIgnoreAndIsForgotten) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser deletes anything";
    Put("cd/Music/a.mp3", "x");
    Put("cd/Music/b.mp3", "y");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    player->AddToPlayer("DISC1", "/Music/b.mp3");
    const std::string folder = player->PrivateTempFolder();
    ::chmod(folder.c_str(), 0555);
    shell_.MessageAnswers = {TModalResult::Retry, TModalResult::Ignore, TModalResult::Abort};
    player->DeleteTempFiles();
    ::chmod(folder.c_str(), 0700);

    const std::string a = folder + "/a.mp3";
    const std::string b = folder + "/b.mp3";
    EXPECT_EQ(shell_.MessageTexts(), (Strings{Format(msg::UnableToDeleteTemp, a.c_str()),
                                              Format(msg::UnableToDeleteTemp, a.c_str()),
                                              Format(msg::UnableToDeleteTemp, b.c_str())}));
    EXPECT_EQ(shell_.Messages[0].Buttons, unsigned(ui::mbAbort | ui::mbRetry | ui::mbIgnore));
    EXPECT_TRUE(player->TempFiles().empty());
    EXPECT_TRUE(std::filesystem::exists(a));
}

TEST_F(PlayPipeline, CloseDeletesTheCopies) {
    Put("cd/Music/a.mp3", "x");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    const std::string folder = player->PrivateTempFolder();
    player->Close();
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_TRUE(std::filesystem::is_empty(dir_.Path("copies")));
    EXPECT_EQ(host_.Calls().back(), "unload");
}

TEST_F(PlayPipeline, CopiesGoToAPrivateFolderAndNeverTouchWhatWasThere) {
    // A link planted in a shared folder, and a file of the user's own that has a copy's name.
    Put("victim.txt", "precious");
    ASSERT_EQ(::symlink(dir_.Path("victim.txt").c_str(), dir_.Path("copies/a.mp3").c_str()), 0);
    Put("copies/b.mp3", "mine");
    Put("cd/Music/a.mp3", "cd a");
    Put("cd/Music/b.mp3", "cd b");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    player->AddToPlayer("DISC1", "/Music/b.mp3");

    struct stat info {};
    ASSERT_EQ(::lstat(player->PrivateTempFolder().c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::lstat(CopyOf(*player, "a.mp3").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(test::ReadFileBytes(CopyOf(*player, "a.mp3")), "cd a");
    player->Close();
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("victim.txt")), "precious");
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.Path("copies/a.mp3")));
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("copies/b.mp3")), "mine");
}

TEST_F(PlayPipeline, StartRemovesOnlyTheUsersFoldersOfEndedRuns) {
    // 2147483647 is above any process ID the system hands out: that run has ended.
    const std::string ended = dir_.Path("copies/tracklore-copies-2147483647-abcdef");
    std::filesystem::create_directory(ended);
    Put("copies/tracklore-copies-2147483647-abcdef/a.mp3", "left");
    ASSERT_EQ(::symlink(dir_.Path("victim.txt").c_str(), (ended + "/link.mp3").c_str()), 0);
    const std::string running =
        dir_.Path("copies/tracklore-copies-" + std::to_string(::getpid()) + "-abcdef");
    std::filesystem::create_directory(running);
    std::filesystem::create_directory(dir_.Path("kept"));
    Put("kept/a.mp3", "kept");
    Put("victim.txt", "precious");
    const std::string link = dir_.Path("copies/tracklore-copies-2147483646-linked");
    ASSERT_EQ(::symlink(dir_.Path("kept").c_str(), link.c_str()), 0);
    const std::string file = Put("copies/tracklore-copies-2147483645-file", "a file");
    std::string foreign;
    if (::geteuid() == 0) {  // only the superuser can give a folder to another user
        foreign = dir_.Path("copies/tracklore-copies-2147483644-foreign");
        std::filesystem::create_directory(foreign);
        ASSERT_EQ(::chown(foreign.c_str(), 65534, 65534), 0);
    }

    auto player = MakePlayer(Settings());
    EXPECT_FALSE(std::filesystem::exists(ended));
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("victim.txt")), "precious");
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("kept/a.mp3")), "kept");
    EXPECT_EQ(test::ReadFileBytes(file), "a file");
    if (!foreign.empty()) {
        EXPECT_TRUE(std::filesystem::exists(foreign));
    }
}

TEST_F(PlayPipeline, FileMissingOnTheMatchedDriveIsReportedAndNotHandedOver) {
    auto player = MakePlayer(Settings());
    player->PlayNow("FIXED1", "/Music/gone.mp3");
    player->AddToPlayer("DISC1", "\\Music\\gone.mp3");
    const std::string fixed = dir_.Path("fixed"), cd = dir_.Path("cd");
    EXPECT_EQ(shell_.MessageTexts(),
              (Strings{Format(msg::FileNotOnVolume, (fixed + "/Music/gone.mp3").c_str(), "FIXED1",
                              'c', fixed.c_str()),
                       Format(msg::FileNotOnVolume, (cd + "/Music/gone.mp3").c_str(), "DISC1", 'e',
                              cd.c_str())}));
    EXPECT_TRUE(host_.Calls().empty());
    EXPECT_TRUE(player->TempFiles().empty());
}

TEST_F(PlayPipeline, PathLongerThanThePluginTakesIsRefusedNotCut) {
    // Folders of 120 bytes each: the whole path passes 255 bytes.
    const std::string folder = "fixed/" + std::string(120, 'x') + "/" + std::string(120, 'y');
    std::filesystem::create_directories(dir_.Path(folder));
    const std::string path = Put(folder + "/a.mp3", "x");
    ASSERT_GT(path.size(), 255u);
    auto player = MakePlayer(Settings());
    player->PlayNow("FIXED1", path.substr(dir_.Path("fixed").size()));
    EXPECT_EQ(shell_.MessageTexts(), Strings{Format(msg::PathTooLongForPlugin, path.c_str())});
    EXPECT_TRUE(host_.Calls().empty());
}

}  // namespace
}  // namespace tracklore::playback
