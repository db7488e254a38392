// Update directory from the window: a scanned folder in which one file is added, one
// re-tagged, one deleted and one left alone; the confirmation of removals and the report.
#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/id3_builder.h"
#include "tests/support/main_window_fixture.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TModalResult;
using ui::TMsgKind;

std::string Song(const std::string& title) {
    return Id3Tag(3, Id3TextFrame(3, "TIT2", title)) + Mp3Frames(20);
}

class UpdateCommandsTest : public MainWindowFixture {
protected:
    // Scans `music` (a.mp3, b.mp3, sub/d.mp3), then adds e.mp3, re-tags b.mp3 (a later date)
    // and deletes d.mp3.
    void ScanThenChange() {
        Start();
        Put("music/a.mp3", Song("A"));
        Put("music/b.mp3", Song("B"));
        Put("music/sub/d.mp3", Song("D"));
        shell_.FolderAnswers = {dir_.Path("music")};
        window_->Run(TCommandId::AddDir);
        ASSERT_EQ(window_->Catalogue().Count(), 3);
        window_->SetModified(false);
        idOfB_ = IdOf("B");

        Put("music/e.mp3", Song("E"));
        const std::string b = Put("music/b.mp3", Song("B, again"));
        namespace fs = std::filesystem;
        fs::last_write_time(b, fs::last_write_time(b) + std::chrono::seconds(10));
        fs::remove(dir_.Path("music/sub/d.mp3"));
        shell_.FolderAnswers = {dir_.Path("music")};
    }

    int32_t IdOf(const std::string& title) {
        for (int slot = 0; slot < TTracklore::kSlotCount; ++slot) {
            const TrackRecord* record = window_->Catalogue().SlotRecord(slot);
            if (record != nullptr && record->Title.view() == title) return record->ID;
        }
        return -1;
    }

    std::vector<std::string> SortedTitles() {
        auto titles = Titles();
        std::sort(titles.begin(), titles.end());
        return titles;
    }

    int32_t idOfB_ = 0;
};

TEST_F(UpdateCommandsTest, RemovesConfirmedMissingRecordsAndReports) {
    ScanThenChange();
    shell_.MessageAnswers = {TModalResult::Yes, TModalResult::OK};
    window_->Run(TCommandId::UpdateDir);

    ASSERT_EQ(shell_.FolderDialogs.size(), 2u);
    EXPECT_EQ(shell_.FolderDialogs[1].DialogText,
              "Please select the folder, you wish to update...");
    ASSERT_EQ(shell_.Messages.size(), 2u);
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Confirmation);
    EXPECT_EQ(shell_.Messages[0].Text,
              "The files of these items are gone:\n\n[MUSIC01] /music/sub/d.mp3\n\nRemove the "
              "items from the database?");
    const std::string summary =
        "Update: 1 added, 1 changed, 1 unchanged, 1 missing, 1 removed, 0 failed";
    EXPECT_EQ(shell_.Messages[1].Caption, "Update directory");
    EXPECT_EQ(shell_.Messages[1].Text.rfind(summary + "\n", 0), 0u) << shell_.Messages[1].Text;
    EXPECT_NE(shell_.Messages[1].Text.find("Removed:\n  [MUSIC01] "), std::string::npos);
    EXPECT_EQ(shell_.Status, summary);

    EXPECT_EQ(SortedTitles(), (std::vector<std::string>{"A", "B, again", "E"}));
    EXPECT_EQ(IdOf("B, again"), idOfB_);
    EXPECT_EQ(window_->Views().AllList().RowCount(), 3);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(UpdateCommandsTest, MissingRecordsStayWithoutConfirmation) {
    ScanThenChange();
    shell_.MessageAnswers = {TModalResult::No, TModalResult::OK};
    window_->Run(TCommandId::UpdateDir);
    ASSERT_EQ(shell_.Messages.size(), 2u);
    EXPECT_EQ(shell_.Messages[1].Text.rfind(
                  "Update: 1 added, 1 changed, 1 unchanged, 1 missing, 0 removed, 0 failed", 0),
              0u);
    EXPECT_NE(shell_.Messages[1].Text.find("Missing:\n  [MUSIC01] "), std::string::npos);
    EXPECT_EQ(SortedTitles(), (std::vector<std::string>{"A", "B, again", "D", "E"}));
}

TEST_F(UpdateCommandsTest, UnchangedFolderChangesNothing) {
    ScanThenChange();
    shell_.MessageAnswers = {TModalResult::Yes, TModalResult::OK};
    window_->Run(TCommandId::UpdateDir);
    window_->SetModified(false);
    // A file of the same size and date is not opened: junk in its place goes unnoticed.
    const std::string a = dir_.Path("music/a.mp3");
    const auto date = std::filesystem::last_write_time(a);
    Put("music/a.mp3", std::string(std::filesystem::file_size(a), '\0'));
    std::filesystem::last_write_time(a, date);
    shell_.FolderAnswers = {dir_.Path("music")};
    shell_.MessageAnswers = {TModalResult::OK};
    window_->Run(TCommandId::UpdateDir);
    ASSERT_EQ(shell_.Messages.size(), 3u);
    EXPECT_EQ(shell_.Messages[2].Text,
              "Update: 0 added, 0 changed, 3 unchanged, 0 missing, 0 removed, 0 failed\n");
    EXPECT_FALSE(window_->Modified());
    EXPECT_EQ(SortedTitles(), (std::vector<std::string>{"A", "B, again", "E"}));
}

}  // namespace
}  // namespace tracklore::test
