// The Volumes page's actions through the scripted shell: a row's records on the Selected
// page, their removal after the confirmation, and Update on the drive that carries it.
#include <filesystem>

#include <gtest/gtest.h>

#include "playback/ext_player.h"
#include "tests/support/main_window_fixture.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TModalResult;
using ui::TPage;
using ui::TVolumeAction;

class VolumeCommandsTest : public MainWindowFixture {
protected:
    // Two records on MUSIC01, one on CD.
    void StartWithVolumes() {
        Start();
        for (const char* volume : {"MUSIC01", "CD", "MUSIC01"}) {
            TrackRecord record = MakeRecord("A", volume);
            record.Volume = volume;
            window_->Catalogue().Insert(record);
        }
        window_->Views().RefreshViews(ui::FullRebuild);
        ForgetShell();
    }

    ui::TVolumesView& Volumes() { return window_->Views().Volumes(); }
};

TEST_F(VolumeCommandsTest, PageFollowsTheCatalogueShowsRecordsAndUpdatesOnlyOnline) {
    StartWithVolumes();
    window_->Run(TCommandId::ViewVolumes);
    ASSERT_EQ(shell_.PagesShown.back(), TPage::Volumes);
    ASSERT_EQ(Volumes().RowCount(), 2);
    EXPECT_EQ(Volumes().Row(1).Volume, "MUSIC01");
    EXPECT_EQ(Volumes().Row(1).Records, 2);

    // A record deleted while the page is in front leaves its row at once.
    window_->Views().AllList().SetSelected(1, true);  // the CD record
    window_->DelItem(ui::TViewSource::AllList);
    EXPECT_EQ(Volumes().RowCount(), 1);

    window_->VolumeAction(TVolumeAction::ShowRecords, "MUSIC01");
    EXPECT_EQ(shell_.PagesShown.back(), TPage::Selected);
    ASSERT_NE(window_->SelectedSet(), nullptr);
    EXPECT_EQ(window_->SelectedSet()->Count(), 2);
    EXPECT_EQ(window_->Views().SelectedList().RowCount(), 2);
    EXPECT_EQ(shell_.Status, "2 records found");

    // The fixture's drive m: carries MUSIC01, but the player searches no drive.
    window_->VolumeAction(TVolumeAction::Update, "MUSIC01");
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text.rfind("The volume 'MUSIC01' is not online", 0), 0u);
    EXPECT_EQ(window_->Catalogue().Count(), 2);
}

TEST_F(VolumeCommandsTest, RemoveAsksWithTheCountAndRemovesOnlyOnYes) {
    StartWithVolumes();
    window_->ShowVolumeRecords("MUSIC01");  // the selected set refers to the records to go
    window_->SetModified(false);

    shell_.MessageAnswers = {TModalResult::No};
    window_->VolumeAction(TVolumeAction::Remove, "MUSIC01");
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, "Remove the 2 records of volume 'MUSIC01'?");
    EXPECT_EQ(shell_.Messages[0].Buttons, ui::mbYes | ui::mbNo);
    EXPECT_EQ(window_->Catalogue().Count(), 3);
    EXPECT_FALSE(window_->Modified());

    shell_.MessageAnswers = {TModalResult::Yes};
    window_->VolumeAction(TVolumeAction::Remove, "MUSIC01");
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_EQ(window_->SelectedSet()->Count(), 0);
    EXPECT_EQ(window_->Views().AllList().RowCount(), 1);
    EXPECT_EQ(window_->Views().SelectedList().RowCount(), 0);
    ASSERT_EQ(Volumes().RowCount(), 1);
    EXPECT_EQ(Volumes().Row(0).Volume, "CD");
    EXPECT_TRUE(window_->Modified());
    EXPECT_EQ(shell_.Status, "2 records of volume 'MUSIC01' removed");

    shell_.MessageAnswers = {TModalResult::Yes};
    window_->VolumeAction(TVolumeAction::Remove, "CD");
    EXPECT_EQ(shell_.Messages.back().Text, "Remove the 1 record of volume 'CD'?");
    EXPECT_EQ(window_->Catalogue().Count(), 0);
}

TEST_F(VolumeCommandsTest, UpdateWalksTheDriveThatCarriesTheVolume) {
    Start();
    window_->Player()->Settings().SearchDriveSet = playback::DriveSetOf("m");
    Put("music/a.mp3", Mp3Frames(20));
    Put("music/b.mp3", Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("music")};
    window_->Run(TCommandId::AddDir);
    ASSERT_EQ(window_->Catalogue().Count(), 2);
    window_->Run(TCommandId::ViewVolumes);
    ASSERT_EQ(Volumes().RowCount(), 1);
    EXPECT_TRUE(Volumes().Row(0).Online);
    EXPECT_EQ(Volumes().Row(0).MountPoint, dir_.Root());

    // A new file elsewhere on the drive, one gone; the selected set holds the one gone.
    window_->ShowVolumeRecords("MUSIC01");
    Put("other/c.mp3", Mp3Frames(20));
    std::filesystem::remove(dir_.Path("music/a.mp3"));
    ForgetShell();
    shell_.MessageAnswers = {TModalResult::Yes, TModalResult::OK};
    window_->VolumeAction(TVolumeAction::Update, "MUSIC01");

    EXPECT_EQ(shell_.Status,
              "Update: 1 added, 0 changed, 1 unchanged, 1 missing, 1 removed, 0 failed");
    EXPECT_EQ(window_->SelectedSet()->Count(), 1);
    EXPECT_EQ(window_->Views().SelectedList().RowCount(), 1);
    EXPECT_EQ(Volumes().Row(0).Records, 2);
}

}  // namespace
}  // namespace tracklore::test
