// The main window's start-up, shut-down, error handler, command mask, selection events,
// close query, options and tool commands, driven through a scripted shell.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/main_window_fixture.h"
#include "ui/command_mask.h"
#include "ui/settings_dialog.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TModalResult;
using ui::TMsgKind;
using ui::TViewSource;

using MainWindowTest = MainWindowFixture;

// --- Start-up -------------------------------------------------------------------------

TEST_F(MainWindowTest, StartWithoutArgumentsIsAnEmptyUntitledCatalogue) {
    Start();
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_TRUE(shell_.SplashStates.empty());
    EXPECT_EQ(shell_.Caption, "Corvane Tracklore - Untitled");
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_FALSE(window_->Modified());
    EXPECT_EQ(window_->CommandMask(), 0x6E7);
    EXPECT_EQ(shell_.Masks, std::vector<uint16_t>{0x6E7});
    EXPECT_EQ(window_->Views().AllList().RowCount(), 0);
    EXPECT_EQ(shell_.ViewPrefsApplied, 1);
    EXPECT_EQ(window_->SelectedSet(), nullptr);
}

TEST_F(MainWindowTest, FirstStartWithoutAStoreIsQuietAndKeepsDefaults) {
    window_->Create({});
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_TRUE(window_->FirstStart());
    EXPECT_EQ(window_->Prefs().Xsize, 600);
    EXPECT_EQ(window_->CommandMask(), 0x6E7);
}

TEST_F(MainWindowTest, StoreWithoutValuesShowsThePreferencesMessageOnceAndKeepsDefaults) {
    Put("prefs.reg", "REGEDIT4\n");
    shell_.MessageAnswers = {TModalResult::Cancel};  // either button continues
    window_->Create({});
    EXPECT_FALSE(window_->FirstStart());
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, msg::CouldNotReadPrefs);
    EXPECT_EQ(shell_.Messages[0].Caption, "Corvane Tracklore");
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Plain);
    EXPECT_EQ(shell_.Messages[0].Buttons, ui::mbOK | ui::mbCancel);
    EXPECT_EQ(window_->Prefs().Xpos, 20);
    EXPECT_EQ(window_->Prefs().Xsize, 600);
    EXPECT_EQ(window_->CommandMask(), 0x6E7);
}

TEST_F(MainWindowTest, StartWithCatalogueLoadsItUnderTheSplash) {
    const std::string file = WriteCatalogue("start.tracklore", {"x", "y", "z"});
    Start({file});
    EXPECT_EQ(shell_.SplashStates, (std::vector<bool>{true, false}));
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(window_->CurrentFile(), file);
    EXPECT_EQ(shell_.Caption, Caption(file));
    EXPECT_EQ(window_->Views().AllList().RowCount(), 3);
    EXPECT_EQ(window_->CommandMask(), 0x6E7);
    EXPECT_FALSE(window_->Modified());
}

TEST_F(MainWindowTest, UpperCaseCsvExtensionIsReadByTheNativeLoader) {
    // A catalogue file named x.CSV opens; a CSV text named so fails with a native error.
    const std::string native = dir_.Path("x.CSV");
    std::filesystem::rename(WriteCatalogue("tmp.tracklore", {"a"}), native);
    Start({native});
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(window_->Catalogue().Count(), 1);

    TScriptedShell shell;
    ui::TMainWindow window(shell, Registry());
    const std::string csv = Put("y.CSV",
                                "ID;Volume;Filename;FileSize;SampleRate;BitRate;"
                                "PlayLength;Artist;Title;Album;Comment;Year;Genre\n");
    window.Create({csv});
    ASSERT_EQ(shell.Messages.size(), 1u);
    EXPECT_EQ(
        shell.Messages[0].Text.rfind(
            "Failed to open the database in the file \"" + csv + "\" - Invalid database, ", 0),
        0u)
        << shell.Messages[0].Text;
}

TEST_F(MainWindowTest, MissingStartFileWarnsOnceAndContinuesUntitled) {
    const std::string file = dir_.Path("gone.tracklore");
    Start({file});
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text.rfind(
                  "Failed to open the database in the file \"" + file + "\" - ", 0),
              0u);
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(shell_.Messages[0].Buttons, ui::mbOK);
    EXPECT_EQ(shell_.SplashStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_EQ(shell_.Caption, "Corvane Tracklore - Untitled");
    EXPECT_EQ(window_->Catalogue().Count(), 0);
    EXPECT_EQ(window_->CommandMask(), 0x6E7);
}

TEST_F(MainWindowTest, StartUpReportsPreferencesFirstAndTheFailedLoadWithoutTheSplash) {
    // What was already done when each box came up: view preferences applied, splash states,
    // caption.
    struct Seen {
        int viewPrefs;
        std::vector<bool> splash;
        std::string caption;
    };
    std::vector<Seen> seen;
    shell_.OnMessageBox = [&](const TScriptedShell::Message&) {
        seen.push_back({shell_.ViewPrefsApplied, shell_.SplashStates, shell_.Caption});
    };
    shell_.MessageAnswers = {TModalResult::OK};
    Put("prefs.reg", "REGEDIT4\n");
    window_->Create({dir_.Path("gone.tracklore")});
    ASSERT_EQ(shell_.Messages.size(), 2u);
    EXPECT_EQ(shell_.Messages[0].Text, msg::CouldNotReadPrefs);
    EXPECT_EQ(seen[0].viewPrefs, 0);
    EXPECT_TRUE(seen[0].splash.empty());
    EXPECT_EQ(seen[1].viewPrefs, 1);
    // The stay-on-top splash is gone before the warning opens, or it would hide it.
    EXPECT_EQ(seen[1].splash, (std::vector<bool>{true, false}));
    EXPECT_EQ(seen[0].caption, "");
    EXPECT_EQ(seen[1].caption, "");
    EXPECT_EQ(shell_.SplashStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(shell_.Caption, "Corvane Tracklore - Untitled");
}

TEST_F(MainWindowTest, ScanNotificationLetsMessagesRunThenShowsThePath) {
    Start();
    int callsBefore = -1;
    shell_.OnProcessMessages = [&] { callsBefore = static_cast<int>(shell_.StatusTexts.size()); };
    window_->Catalogue().RaiseScan("/music/a.mp3");
    EXPECT_EQ(callsBefore, 0);  // messages ran before the status changed
    EXPECT_EQ(shell_.Status, "Scanning: /music/a.mp3");
}

// --- Shut-down ------------------------------------------------------------------------

TEST_F(MainWindowTest, QuittingUntitledStoresEmptyLastFileAndPlacement) {
    Start();
    window_->Prefs().LastFile = "old.tracklore";
    window_->Destroy(11, 12, 640, 480);
    ui::TPrefs stored;
    ASSERT_TRUE(ui::LoadPrefs(stored, Registry()));
    EXPECT_EQ(stored.LastFile, "");
    EXPECT_EQ(stored.Xpos, 11);
    EXPECT_EQ(stored.Ypos, 12);
    EXPECT_EQ(stored.Xsize, 640);
    EXPECT_EQ(stored.Ysize, 480);
}

TEST_F(MainWindowTest, QuittingStoresTheOpenFileAsLastFile) {
    const std::string file = WriteCatalogue("last.tracklore", {"a"});
    Start({file});
    window_->Destroy(20, 20, 600, 400);
    ui::TPrefs stored;
    ASSERT_TRUE(ui::LoadPrefs(stored, Registry()));
    EXPECT_EQ(stored.LastFile, file);
}

// --- Error handler and command mask ----------------------------------------------------

TEST_F(MainWindowTest, GuardedShowsTheErrorCaptionedWithTheTitle) {
    Start();
    EXPECT_FALSE(window_->Guarded([] { throw std::runtime_error("broken"); }));
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, "broken");
    EXPECT_EQ(shell_.Messages[0].Caption, "Corvane Tracklore");
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Error);
    EXPECT_TRUE(window_->Guarded([] {}));
}

TEST_F(MainWindowTest, SetCommandMaskAppliesOnlyChanges) {
    Start();
    ForgetShell();
    window_->SetCommandMask(0x6E7);
    EXPECT_TRUE(shell_.Masks.empty());
    window_->SetCommandMask(0x001);
    window_->SetCommandMask(0x001);
    EXPECT_EQ(shell_.Masks, std::vector<uint16_t>{0x001});
}

TEST_F(MainWindowTest, ListSelectionDrivesEditDeleteAndPlayer) {
    Start({WriteCatalogue("sel.tracklore", {"a", "b"})});
    ui::TListView& list = window_->Views().AllList();
    list.SetSelected(0, true);
    window_->ListSelectionChanged(TViewSource::AllList);
    EXPECT_EQ(window_->CommandMask(), 0x6E7 | 0x118);
    list.SetSelected(1, true);
    window_->ListSelectionChanged(TViewSource::AllList);
    EXPECT_EQ(window_->CommandMask(), (0x6E7 | 0x110) & ~0x008);
    list.ClearSelection();
    window_->ListSelectionChanged(TViewSource::AllList);
    EXPECT_EQ(window_->CommandMask(), 0x6E7);
}

TEST_F(MainWindowTest, SelectingAnArtistNodeClearsTheRecordCommands) {
    Start({WriteCatalogue("tree.tracklore", {"a"})});
    window_->Run(TCommandId::ViewTree);
    ui::TTreeView& tree = window_->Views().Tree();
    ui::TTreeNode* artist = tree.Root().Children.at(0).get();
    window_->Views().ExpandNode(artist);
    tree.SetSelected(artist->Children.at(0).get());
    window_->TreeSelectionChanged();
    EXPECT_EQ(window_->CommandMask() & ui::kMaskSelectionBits, ui::kMaskSelectionBits);
    tree.SetSelected(artist);
    window_->TreeSelectionChanged();
    EXPECT_EQ(window_->CommandMask() & ui::kMaskSelectionBits, 0);
}

// Edit, Delete and Player follow the view in front: a selection on a hidden page names no
// record for the commands, and a selection comes back with its page.
TEST_F(MainWindowTest, RecordCommandsFollowTheSelectionOfTheVisiblePage) {
    Start({WriteCatalogue("pages.tracklore", {"a", "b"})});
    const uint16_t on = ui::kMaskSelectionBits;
    auto bits = [&] { return window_->CommandMask() & on; };
    window_->Views().AllList().SetSelected(0, true);
    window_->ListSelectionChanged(TViewSource::AllList);
    EXPECT_EQ(bits(), on);
    window_->Run(TCommandId::ViewTree);
    EXPECT_EQ(bits(), 0);
    ui::TTreeView& tree = window_->Views().Tree();
    ui::TTreeNode* artist = tree.Root().Children.at(0).get();
    window_->Views().ExpandNode(artist);
    tree.SetSelected(artist->Children.at(1).get());
    window_->TreeSelectionChanged();
    EXPECT_EQ(bits(), on);
    // A change in a hidden list leaves the tree's title node in charge.
    window_->Views().AllList().ClearSelection();
    window_->ListSelectionChanged(TViewSource::AllList);
    EXPECT_EQ(bits(), on);
    window_->PageChanged(ui::TPage::Selected);
    EXPECT_EQ(bits(), 0);
    window_->Views().AllList().SetSelected(1, true);
    window_->PageChanged(ui::TPage::List);
    EXPECT_EQ(bits(), on);
    // A list rebuild keeps the tree's selection, and with it the commands on the Tree page.
    window_->PageChanged(ui::TPage::Tree);
    window_->Views().RefreshViews(ui::RebuildList);
    EXPECT_EQ(bits(), on);
    tree.SetSelected(artist);
    window_->TreeSelectionChanged();
    EXPECT_EQ(bits(), 0);
}

TEST_F(MainWindowTest, SelectionDoesNotTurnOnCommandsThatAreOff) {
    Start({WriteCatalogue("off.tracklore", {"a"})});
    window_->Views().AllList().SetSelected(0, true);
    window_->SetCommandMask(0);
    window_->ListSelectionChanged(TViewSource::AllList);
    window_->PageChanged(ui::TPage::List);
    EXPECT_EQ(window_->CommandMask(), 0);
}

// Items/New adds to any open catalogue: no rebuild turns it off.
TEST_F(MainWindowTest, ItemsNewStaysOnAfterEveryRebuild) {
    const std::string file = WriteCatalogue("new.tracklore", {"a"});
    Start({file});
    EXPECT_TRUE(window_->CommandMask() & ui::kMaskItemNew);
    window_->Run(TCommandId::ForceRefresh);
    EXPECT_TRUE(window_->CommandMask() & ui::kMaskItemNew);
    window_->Views().RefreshViews(ui::RebuildList);
    EXPECT_TRUE(window_->CommandMask() & ui::kMaskItemNew);
    window_->Run(TCommandId::FileNew);
    EXPECT_EQ(window_->CommandMask(), 0x6A7);
    shell_.OpenAnswers = {std::vector<std::string>{file}};
    window_->Run(TCommandId::FileOpen);
    EXPECT_EQ(window_->CommandMask(), 0x6E7);
}

// --- Close query ----------------------------------------------------------------------

TEST_F(MainWindowTest, CloseWithoutChangesAsksNothing) {
    Start();
    EXPECT_TRUE(window_->CloseQuery());
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(MainWindowTest, CloseAnsweredCancelStaysAndNoCloses) {
    Start();
    AddRecords({"a"});
    shell_.MessageAnswers = {TModalResult::Cancel, TModalResult::No};
    EXPECT_FALSE(window_->CloseQuery());
    EXPECT_TRUE(window_->CloseQuery());
    ASSERT_EQ(shell_.Messages.size(), 2u);
    EXPECT_EQ(shell_.Messages[0].Text, "File has been modified - do you wish to save changes?");
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Confirmation);
    EXPECT_EQ(shell_.Messages[0].Buttons, ui::mbYes | ui::mbNo | ui::mbCancel);
    EXPECT_TRUE(shell_.SaveDialogs.empty());
}

TEST_F(MainWindowTest, CloseAnsweredYesSavesTheOpenFileAndCloses) {
    const std::string file = WriteCatalogue("c.tracklore", {"a"});
    Start({file});
    AddRecords({"b"});
    shell_.MessageAnswers = {TModalResult::Yes};
    EXPECT_TRUE(window_->CloseQuery());
    EXPECT_FALSE(window_->Modified());
    TTracklore reread;
    reread.LoadFromFile(file);
    EXPECT_EQ(reread.Count(), 2);
}

TEST_F(MainWindowTest, CloseAnsweredYesThenSaveAsCancelledKeepsTheWindowOpen) {
    Start();
    AddRecords({"a"});
    shell_.MessageAnswers = {TModalResult::Yes};
    shell_.SaveAnswers = {std::nullopt};
    EXPECT_FALSE(window_->CloseQuery());
    EXPECT_EQ(shell_.SaveDialogs.size(), 1u);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(MainWindowTest, CloseAnsweredYesWithFailingSaveReportsAndStays) {
    const std::string file = WriteCatalogue("c.tracklore", {"a"});
    Start({file});
    AddRecords({"b"});
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);  // a folder cannot be written as a file
    shell_.MessageAnswers = {TModalResult::Yes};
    EXPECT_FALSE(window_->CloseQuery());
    ASSERT_EQ(shell_.Messages.size(), 2u);
    EXPECT_EQ(shell_.Messages[1].Kind, TMsgKind::Error);
    EXPECT_TRUE(window_->Modified());
}

// --- Options, pages and tools -----------------------------------------------------------

TEST_F(MainWindowTest, OptionsCancelledChangesNothing) {
    Start();
    shell_.SettingsAnswers.push_back([](ui::TSettingsBox& box) {
        box.ViewBackgroundColor = 0x00FF00;
        box.L_FontColor.Name = "Serif";
        return false;
    });
    window_->Run(TCommandId::Options);
    EXPECT_EQ(window_->Prefs().ListBkColor, ui::kClWindow);
    EXPECT_EQ(window_->Prefs().ListFont.Name, "MS Sans Serif");
    EXPECT_EQ(shell_.ViewPrefsApplied, 1);  // start-up only
}

TEST_F(MainWindowTest, OptionsConfirmedAppliesToViewsButWritesNothingUntilExit) {
    Start();
    shell_.SettingsAnswers.push_back([](ui::TSettingsBox& box) {
        box.ViewBackgroundColor = 0x00FF00;
        box.L_FontColor.Name = "Serif";
        box.CB_ScanVBR = true;
        return true;
    });
    window_->Run(TCommandId::Options);
    EXPECT_EQ(window_->Prefs().ListBkColor, 0x00FF00);
    EXPECT_EQ(window_->Prefs().ListFont.Name, "Serif");
    EXPECT_TRUE(window_->Prefs().ScanVBR);
    EXPECT_EQ(shell_.ViewPrefsApplied, 2);
    ui::TPrefs stored;
    ASSERT_TRUE(ui::LoadPrefs(stored, Registry()));
    EXPECT_EQ(stored.ListBkColor, ui::kClWindow);
    window_->Destroy(20, 20, 600, 400);
    ASSERT_TRUE(ui::LoadPrefs(stored, Registry()));
    EXPECT_EQ(stored.ListBkColor, 0x00FF00);
}

TEST_F(MainWindowTest, CatalogueTakesTheStoredCapacityAndTheOneChosenInOptions) {
    ui::TPrefs prefs;
    prefs.Capacity = 50000;
    ui::SavePrefs(prefs, Registry());
    window_->Create({});
    EXPECT_EQ(window_->Catalogue().Capacity(), 50000);
    shell_.SettingsAnswers.push_back([](ui::TSettingsBox& box) {
        EXPECT_EQ(box.SE_Capacity, 50000);
        box.SE_Capacity = 200000;
        return true;
    });
    window_->Run(TCommandId::Options);
    EXPECT_EQ(window_->Catalogue().Capacity(), 200000);
    EXPECT_EQ(window_->Prefs().Capacity, 200000);
}

TEST_F(MainWindowTest, PageCommandsTurnThePageAndSetTheActiveView) {
    Start();
    window_->Run(TCommandId::ViewTree);
    window_->Run(TCommandId::ViewSelected);
    EXPECT_EQ(shell_.PagesShown, (std::vector<ui::TPage>{ui::TPage::Tree, ui::TPage::Selected}));
    EXPECT_EQ(window_->ActivePage(), ui::TPage::Selected);
}

TEST_F(MainWindowTest, TagsmithAndAboutGoToTheShell) {
    Start();
    window_->Run(TCommandId::RunTagsmith);
    window_->Run(TCommandId::About);
    EXPECT_EQ(shell_.ProgramsStarted, std::vector<std::string>{"tagsmith"});
    EXPECT_EQ(shell_.AboutShown, 1);
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(MainWindowTest, ForceRefreshRebuildsFromTheCatalogue) {
    Start();
    TrackRecord record = MakeRecord("A", "t");
    window_->Catalogue().Insert(record);
    window_->Run(TCommandId::ForceRefresh);
    EXPECT_EQ(window_->Views().AllList().RowCount(), 1);
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
}

}  // namespace
}  // namespace tracklore::test
