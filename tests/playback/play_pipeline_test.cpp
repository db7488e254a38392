// Playing and adding files: finding the volume, temporary copies, the calls into the
// plug-in and the deletion of the copies.
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/format.h"
#include "core/strings.h"
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
};

TEST_F(PlayPipeline, VolumeIsFoundOnTheFirstSearchedDriveWithItsLabel) {
    auto player = MakePlayer(Settings());
    const auto drive = player->FindVolumeDrive("DISC1");
    ASSERT_TRUE(drive);
    EXPECT_EQ(drive->Letter, 'e');
}

TEST_F(PlayPipeline, LabelsDifferingInCaseDoNotMatch) {
    auto player = MakePlayer(Settings());
    EXPECT_FALSE(player->FindVolumeDrive("disc1"));
}

TEST_F(PlayPipeline, EmptyLabelMatchesTheFirstSearchedDriveWithoutOne) {
    auto player = MakePlayer(Settings());
    const auto drive = player->FindVolumeDrive("");
    ASSERT_TRUE(drive);
    EXPECT_EQ(drive->Letter, 'f');
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
    const std::string copy = dir_.Path("copies/a.mp3");
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
    TPlayerSettings settings = Settings();
    settings.TempStoragePath = dir_.Path("copies");
    auto player = MakePlayer(settings);
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    EXPECT_TRUE(std::filesystem::exists(dir_.Path("copies/a.mp3")));
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("copiesa.mp3")));
}

TEST_F(PlayPipeline, SecondAddOverwritesTheEarlierCopyAndListsItOnce) {
    Put("cd/Music/a.mp3", "first");
    Put("usb/a.mp3", "second");
    auto player = MakePlayer(Settings());
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    player->AddToPlayer("", "/a.mp3");
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("copies/a.mp3")), "second");
    EXPECT_EQ(player->TempFiles().size(), 1u);
}

TEST_F(PlayPipeline, FailedCopyIsReportedAndNothingIsAdded) {
    TPlayerSettings settings = Settings();
    settings.TempStoragePath = dir_.Path("no such folder/");
    auto player = MakePlayer(settings);
    player->AddToPlayer("DISC1", "/Music/missing.mp3");
    EXPECT_EQ(shell_.MessageTexts(),
              Strings{Format(msg::FailedToCopyTemp, dir_.Path("cd/Music/missing.mp3").c_str(),
                             dir_.Path("no such folder/missing.mp3").c_str())});
    EXPECT_TRUE(host_.Calls().empty());
    EXPECT_TRUE(player->TempFiles().empty());
}

TEST_F(PlayPipeline, TempFolderThatHoldsTheFileHandsOverTheFileItself) {
    Put("cd/Music/a.mp3", "keep me");
    TPlayerSettings settings = Settings();
    settings.TempStoragePath = dir_.Path("cd/Music/");
    auto player = MakePlayer(settings);
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    EXPECT_EQ(test::ReadFileBytes(dir_.Path("cd/Music/a.mp3")), "keep me");
    EXPECT_TRUE(player->TempFiles().empty());  // never deleted as a copy
    EXPECT_EQ(host_.Calls(), Strings{"Add 255 " + dir_.Path("cd/Music/a.mp3")});
}

TEST_F(PlayPipeline, PlayDeletesEarlierCopiesFirstWhenAsked) {
    Put("cd/Music/a.mp3", "x");
    TPlayerSettings settings = Settings();
    settings.TempDeleteOnPlay = true;
    auto player = MakePlayer(settings);
    player->AddToPlayer("DISC1", "/Music/a.mp3");
    player->PlayNow("DISC1", "/Music/a.mp3");
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("copies/a.mp3")));
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
    ::chmod(dir_.Path("copies").c_str(), 0555);
    shell_.MessageAnswers = {TModalResult::Retry, TModalResult::Ignore, TModalResult::Abort};
    player->DeleteTempFiles();
    ::chmod(dir_.Path("copies").c_str(), 0755);

    const std::string a = dir_.Path("copies/a.mp3");
    const std::string b = dir_.Path("copies/b.mp3");
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
    player->Close();
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("copies/a.mp3")));
    EXPECT_EQ(host_.Calls().back(), "unload");
}

}  // namespace
}  // namespace tracklore::playback
