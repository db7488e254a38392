// Recent files: the list's order and limit, its place in the preferences store, Open Recent
// and reopening the last catalogue at start.
#include "ui/recent_files.h"

#include <gtest/gtest.h>

#include "tests/support/main_window_fixture.h"

namespace tracklore::test {
namespace {

using ui::TModalResult;

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostEight) {
    std::vector<std::string> files;
    for (int i = 0; i < 10; ++i)
        ui::NoteRecentFile(files, "/f" + std::to_string(i));
    ASSERT_EQ(files.size(), 8u);
    EXPECT_EQ(files.front(), "/f9");
    EXPECT_EQ(files.back(), "/f2");
    ui::NoteRecentFile(files, "/f5");
    EXPECT_EQ(files.size(), 8u);
    EXPECT_EQ(files[0], "/f5");
    EXPECT_EQ(files[5], "/f4");  // the old place of /f5 is gone, the rest moved up
    ui::ForgetRecentFile(files, "/f5");
    EXPECT_EQ(files.size(), 7u);
    EXPECT_EQ(files[0], "/f9");
}

class RecentFilesFlow : public MainWindowFixture {
protected:
    // Closes the window as the application does and starts a new one on the same store.
    void Restart(const std::vector<std::string>& args = {}) {
        window_->Destroy(0, 0, 600, 400);
        ForgetShell();
        shell_.SplashStates.clear();
        window_ = std::make_unique<ui::TMainWindow>(shell_, Registry());
        window_->Create(args);
    }
};

TEST_F(RecentFilesFlow, StoredWithThePreferencesAndReadBackWithoutStrangers) {
    ui::TPrefs prefs;
    prefs.RecentFiles = {"/a.tracklore", "/b.tracklore"};
    prefs.OpenLastAtStart = false;
    ui::SavePrefs(prefs, Registry());
    ui::TPrefs read;
    ui::LoadRecentFiles(read, Registry());
    EXPECT_EQ(read.RecentFiles, prefs.RecentFiles);
    EXPECT_FALSE(read.OpenLastAtStart);

    // A shorter list leaves no old entries behind; relative paths and repeats are dropped.
    prefs.RecentFiles = {"relative.tracklore", "/c.tracklore", "/c.tracklore"};
    ui::SavePrefs(prefs, Registry());
    read = ui::TPrefs();
    EXPECT_TRUE(read.OpenLastAtStart);  // the default
    ui::LoadRecentFiles(read, Registry());
    EXPECT_EQ(read.RecentFiles, std::vector<std::string>{"/c.tracklore"});
}

TEST_F(RecentFilesFlow, OpenedAndSavedCataloguesBecomeRecent) {
    Start();
    const std::string first = WriteCatalogue("first.tracklore", {"x"});
    shell_.OpenAnswers = {std::vector<std::string>{first}};
    ASSERT_TRUE(window_->FileOpen());
    const std::string second = dir_.Path("second.tracklore");
    shell_.SaveAnswers = {second};
    ASSERT_TRUE(window_->FileSaveAs(ui::TSaveAsKind::SaveAs));
    EXPECT_EQ(window_->Prefs().RecentFiles, (std::vector<std::string>{second, first}));
}

TEST_F(RecentFilesFlow, OpenRecentAsksToSaveAndForgetsAFileThatIsGone) {
    Start();
    const std::string file = WriteCatalogue("recent.tracklore", {"x", "y"});
    AddRecords({"unsaved"});
    shell_.MessageAnswers = {TModalResult::No};
    ASSERT_TRUE(window_->OpenRecent(file));
    EXPECT_EQ(shell_.Messages.at(0).Text, msg::SaveBeforeOpen);
    EXPECT_EQ(window_->CurrentFile(), file);
    EXPECT_EQ(window_->Catalogue().Count(), 2);

    const std::string gone = dir_.Path("gone.tracklore");
    window_->Prefs().RecentFiles.push_back(gone);
    shell_.MessageAnswers = {TModalResult::OK};
    window_->OpenRecent(gone);
    EXPECT_EQ(shell_.Messages.back().Kind, ui::TMsgKind::Warning);
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_EQ(window_->Prefs().RecentFiles, std::vector<std::string>{file});
}

TEST_F(RecentFilesFlow, LastCatalogueReopensAtStartUnlessNamedOtherwiseOffOrGone) {
    const std::string last = WriteCatalogue("last.tracklore", {"x"});
    Start({last});
    Restart();
    EXPECT_EQ(window_->CurrentFile(), last);
    EXPECT_EQ(shell_.SplashStates, (std::vector<bool>{true, false}));

    const std::string named = WriteCatalogue("named.tracklore", {"a", "b"});
    Restart({named});
    EXPECT_EQ(window_->CurrentFile(), named);

    window_->Prefs().OpenLastAtStart = false;
    Restart();
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_FALSE(window_->Prefs().OpenLastAtStart);

    // A last catalogue that is gone is passed over without a word.
    window_->Prefs().OpenLastAtStart = true;
    Restart({named});
    std::filesystem::remove(named);
    Restart();
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_TRUE(shell_.Messages.empty());
}

}  // namespace
}  // namespace tracklore::test
