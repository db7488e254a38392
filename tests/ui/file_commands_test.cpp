// The window's file commands: New, Open, Save, Save As with the Export items, and Merge,
// over real catalogue files in a private folder.
#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/full_catalogue.h"
#include "tests/support/main_window_fixture.h"
#include "ui/command_mask.h"
#include "ui/prefs.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TModalResult;
using ui::TMsgKind;
using ui::TSaveAsKind;

using FileCommandsTest = MainWindowFixture;

int RecordsIn(const std::string& file) {
    TTracklore catalogue;
    catalogue.LoadFromFile(file);
    return catalogue.Count();
}

// --- New ------------------------------------------------------------------------------

TEST_F(FileCommandsTest, NewWithChangesAnsweredCancelKeepsEverything) {
    Start();
    AddRecords({"a"});
    shell_.MessageAnswers = {TModalResult::Cancel};
    EXPECT_FALSE(window_->FileNew());
    EXPECT_EQ(shell_.Messages.at(0).Text,
              "Changes not saved. Do you want to save changes before resetting database?");
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(FileCommandsTest, NewAnsweredYesStopsWhenTheSaveDoesNotHappen) {
    Start();
    AddRecords({"a"});
    shell_.MessageAnswers = {TModalResult::Yes};
    shell_.SaveAnswers = {std::nullopt};
    EXPECT_FALSE(window_->FileNew());
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(FileCommandsTest, NewAnsweredYesSavesTheOpenFileThenEmpties) {
    const std::string file = WriteCatalogue("y.tracklore", {"a"});
    Start({file});
    AddRecords({"b"});
    shell_.MessageAnswers = {TModalResult::Yes};
    EXPECT_TRUE(window_->FileNew());
    EXPECT_EQ(RecordsIn(file), 2);
    EXPECT_TRUE(shell_.SaveDialogs.empty());
    EXPECT_EQ(window_->Catalogue().Count(), 0);
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_FALSE(window_->Modified());
}

TEST_F(FileCommandsTest, NewAnsweredNoEmptiesTheCatalogueAndSelection) {
    const std::string file = WriteCatalogue("n.tracklore", {"a", "b"});
    Start({file});
    window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(MakeRecord("", "")));
    window_->SetModified(true);
    shell_.MessageAnswers = {TModalResult::No};
    EXPECT_TRUE(window_->FileNew());
    EXPECT_EQ(window_->Catalogue().Count(), 0);
    EXPECT_EQ(window_->SelectedSet(), nullptr);
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_EQ(shell_.Caption, "Corvane Tracklore - Untitled");
    EXPECT_FALSE(window_->Modified());
    EXPECT_EQ(window_->Views().AllList().RowCount(), 0);
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild);
}

// --- Open -----------------------------------------------------------------------------

TEST_F(FileCommandsTest, OpenWithChangesAnsweredCancelShowsNoDialog) {
    Start();
    AddRecords({"a"});
    shell_.MessageAnswers = {TModalResult::Cancel};
    EXPECT_FALSE(window_->FileOpen());
    EXPECT_EQ(shell_.Messages.at(0).Text,
              "Changes not saved. Do you want to save changes before opening another database? "
              "(changes lost if no)");
    EXPECT_TRUE(shell_.OpenDialogs.empty());
    EXPECT_EQ(window_->Catalogue().Count(), 1);
}

TEST_F(FileCommandsTest, OpenLoadsWithCommandsOffAndMessagesRunOnce) {
    Start();
    window_->Prefs().LastDir = "/start/here";
    const std::string file = WriteCatalogue("sub/o.tracklore", {"a", "b", "c"});
    // The first time messages run is before the load, with every command off.
    std::vector<std::pair<uint16_t, int>> firstMessages;
    shell_.OnProcessMessages = [&] {
        if (firstMessages.empty())
            firstMessages.emplace_back(window_->CommandMask(), window_->Catalogue().Count());
    };
    shell_.OpenAnswers = {std::vector<std::string>{file}};
    ForgetShell();

    EXPECT_TRUE(window_->FileOpen());
    const ui::TFileDialogOptions& options = shell_.OpenDialogs.at(0);
    EXPECT_EQ(options.InitialDir, "/start/here");
    EXPECT_EQ(options.DefaultExt, "tracklore");
    ASSERT_EQ(options.Filters.size(), 3u);
    EXPECT_EQ(options.Filters[0].second, "*.tracklore");
    EXPECT_EQ(options.Filters[1], (std::pair<std::string, std::string>{"CSV-files", "*.csv"}));
    EXPECT_EQ(options.Filters[2], (std::pair<std::string, std::string>{"All Files (*.*)", "*"}));

    EXPECT_EQ(firstMessages, (std::vector<std::pair<uint16_t, int>>{{0, 0}}));
    EXPECT_EQ(shell_.StatusTexts.front(), "Loading database from file: " + file);
    EXPECT_EQ(shell_.Status, "");
    EXPECT_EQ(window_->CurrentFile(), file);
    EXPECT_EQ(shell_.Caption, Caption(file));
    EXPECT_EQ(window_->Prefs().LastDir, dir_.Path("sub"));
    EXPECT_EQ(window_->Views().AllList().RowCount(), 3);
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
    EXPECT_FALSE(window_->Modified());
}

TEST_F(FileCommandsTest, FailedOpenWarnsWithCommandsBackAndLeavesUntitled) {
    Start({WriteCatalogue("old.tracklore", {"a"})});
    window_->Prefs().LastDir = "/kept";
    const std::string bad = Put("bad.tracklore", std::string(100, 'x'));
    shell_.OpenAnswers = {std::vector<std::string>{bad}};
    uint16_t maskDuringWarning = 0;
    size_t rowsDuringWarning = 99;
    shell_.OnMessageBox = [&](const TScriptedShell::Message&) {
        maskDuringWarning = window_->CommandMask();
        rowsDuringWarning = window_->Views().AllList().RowCount();
    };

    EXPECT_TRUE(window_->FileOpen());
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, "Failed to open the database in the file \"" + bad +
                                           "\" - Invalid database, error in header.");
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(maskDuringWarning, ui::kMaskAfterRebuild);
    EXPECT_EQ(rowsDuringWarning, 0u);
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_EQ(shell_.Caption, "Corvane Tracklore - Untitled");
    EXPECT_EQ(window_->Catalogue().Count(), 0);
    EXPECT_EQ(window_->Prefs().LastDir, "/kept");
    EXPECT_FALSE(window_->Modified());
}

// A large load shows the progress box: its job is the loading text, its bar climbs and
// ends at 100, and messages run at its steps so the window paints. The box is gone before
// the views are rebuilt and before a failure is reported. (Files of a few hundred records
// count as large here, so the test stays quick.)
TEST_F(FileCommandsTest, LargeLoadsShowTheProgressBoxUntilTheRecordsAreIn) {
    std::vector<std::string> titles(300, "t");
    const std::string file = WriteCatalogue("large.tracklore", titles);
    const std::string small = WriteCatalogue("small.tracklore", {"a"});
    Start();
    int rowsWhenHidden = -1;
    int messagesDuringLoad = 0;
    shell_.OnProcessMessages = [&] { messagesDuringLoad += shell_.ProgressVisible ? 1 : 0; };
    auto open = [&](const std::string& name) {
        shell_.ProgressValues.clear();
        shell_.ProgressJobs.clear();
        shell_.OpenAnswers = {std::vector<std::string>{name}};
        EXPECT_TRUE(window_->FileOpen());
        rowsWhenHidden = window_->Views().AllList().RowCount();
    };

    open(small);  // below the size the box starts at
    EXPECT_EQ(shell_.ProgressShown, 0);

    window_->SetProgressFileSize(1);
    open(small);
    EXPECT_EQ(shell_.ProgressValues, (std::vector<int>{99, 100}));
    open(file);
    EXPECT_EQ(shell_.ProgressJobs,
              (std::vector<std::string>{"Loading database from file: " + file}));
    ASSERT_GT(shell_.ProgressValues.size(), 2u);
    EXPECT_TRUE(std::is_sorted(shell_.ProgressValues.begin(), shell_.ProgressValues.end()));
    EXPECT_EQ(shell_.ProgressValues.back(), 100);
    EXPECT_GE(messagesDuringLoad, static_cast<int>(shell_.ProgressValues.size()));
    EXPECT_FALSE(shell_.ProgressVisible);
    EXPECT_EQ(rowsWhenHidden, 300);

    // A file cut short: the box goes before the warning, and the bar never reached 100.
    const std::string whole = ReadFileBytes(file);
    const std::string cut = Put("cut.tracklore", whole.substr(0, whole.size() / 2));
    bool visibleAtWarning = true;
    shell_.OnMessageBox = [&](const TScriptedShell::Message&) {
        visibleAtWarning = shell_.ProgressVisible;
    };
    open(cut);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_FALSE(visibleAtWarning);
    EXPECT_FALSE(shell_.ProgressValues.empty());
    EXPECT_LT(shell_.ProgressValues.back(), 100);

    // Merging loads the same way.
    shell_.ProgressValues.clear();
    shell_.OpenAnswers = {std::vector<std::string>{file}};
    window_->Run(TCommandId::FileMerge);
    EXPECT_EQ(shell_.ProgressShown, 4);
    EXPECT_EQ(shell_.ProgressValues.back(), 100);
    EXPECT_EQ(window_->Catalogue().Count(), 300);
}

// --- Save and Save As -----------------------------------------------------------------

// Runs the test's steps with the current folder set to `folder`, and sets it back after.
class TCurrentFolder {
public:
    explicit TCurrentFolder(const std::string& folder) : before_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    TCurrentFolder(const TCurrentFolder&) = delete;
    TCurrentFolder& operator=(const TCurrentFolder&) = delete;
    ~TCurrentFolder() { std::filesystem::current_path(before_); }

private:
    std::filesystem::path before_;
};

TEST_F(FileCommandsTest, RelativeNamesBecomeAbsoluteCurrentFilesAndDialogFolders) {
    WriteCatalogue("given.tracklore", {"a"});
    WriteCatalogue("sub/opened.tracklore", {"a"});
    TCurrentFolder here(dir_.Root());
    Start({"./given.tracklore"});  // the preferences keep their default folder "."
    EXPECT_EQ(window_->CurrentFile(), dir_.Path("given.tracklore"));
    EXPECT_EQ(shell_.Caption, Caption(dir_.Path("given.tracklore")));

    shell_.SaveAnswers = {"./music2.tracklore"};
    EXPECT_TRUE(window_->FileSaveAs(TSaveAsKind::SaveAs));
    EXPECT_EQ(shell_.SaveDialogs.at(0).InitialDir, dir_.Root());
    EXPECT_EQ(window_->CurrentFile(), dir_.Path("music2.tracklore"));
    EXPECT_EQ(shell_.Caption, Caption(dir_.Path("music2.tracklore")));
    EXPECT_EQ(window_->Prefs().LastDir, dir_.Root());

    window_->Prefs().LastDir = "sub/..";
    shell_.OpenAnswers = {std::vector<std::string>{"sub/../sub/opened.tracklore"}};
    EXPECT_TRUE(window_->FileOpen());
    EXPECT_EQ(shell_.OpenDialogs.at(0).InitialDir, dir_.Root());
    EXPECT_EQ(window_->CurrentFile(), dir_.Path("sub/opened.tracklore"));
    window_->Destroy(0, 0, 600, 400);
    ui::TPrefs stored;
    ASSERT_TRUE(ui::LoadPrefs(stored, Registry()));
    EXPECT_EQ(stored.LastFile, dir_.Path("sub/opened.tracklore"));
    EXPECT_EQ(stored.LastDir, dir_.Path("sub"));
}

TEST_F(FileCommandsTest, SaveWritesTheOpenFileAndClearsModified) {
    const std::string file = WriteCatalogue("s.tracklore", {"a"});
    Start({file});
    AddRecords({"b", "c"});
    EXPECT_TRUE(window_->FileSave());
    EXPECT_TRUE(shell_.SaveDialogs.empty());
    EXPECT_FALSE(window_->Modified());
    EXPECT_EQ(RecordsIn(file), 3);
}

TEST_F(FileCommandsTest, SaveOfUntitledRunsSaveAsAndAdoptsTheName) {
    Start();
    AddRecords({"a"});
    const std::string file = dir_.Path("new.tracklore");
    shell_.SaveAnswers = {file};
    EXPECT_TRUE(window_->FileSave());
    const ui::TFileDialogOptions& options = shell_.SaveDialogs.at(0);
    EXPECT_EQ(options.FilterIndex, 1);
    EXPECT_EQ(options.DefaultExt, "tracklore");
    ASSERT_EQ(options.Filters.size(), 3u);
    EXPECT_EQ(options.Filters[1].first, "Comma Seperated File");
    EXPECT_EQ(options.Filters[2], (std::pair<std::string, std::string>{"All Files (**)", "*"}));
    EXPECT_EQ(window_->CurrentFile(), file);
    EXPECT_EQ(shell_.Caption, Caption(file));
    EXPECT_EQ(window_->Prefs().LastDir, dir_.Root());
    EXPECT_FALSE(window_->Modified());
    EXPECT_EQ(RecordsIn(file), 1);
    EXPECT_NE(std::find(shell_.StatusTexts.begin(), shell_.StatusTexts.end(),
                        "Saving database to file: " + file),
              shell_.StatusTexts.end());
    EXPECT_EQ(shell_.Status, "");
}

TEST_F(FileCommandsTest, SaveAsOverwriteAnsweredNoLeavesTheFile) {
    Start();
    AddRecords({"a", "b"});
    const std::string existing = WriteCatalogue("exists.tracklore", {"keep"});
    shell_.SaveAnswers = {existing};
    shell_.MessageAnswers = {TModalResult::No};
    EXPECT_FALSE(window_->FileSaveAs(TSaveAsKind::SaveAs));
    EXPECT_EQ(shell_.Messages.at(0).Text, "OK to overwrite " + existing);
    EXPECT_EQ(shell_.Messages.at(0).Buttons, ui::mbYes | ui::mbNo | ui::mbCancel);
    EXPECT_EQ(RecordsIn(existing), 1);
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_TRUE(window_->Modified());
}

TEST_F(FileCommandsTest, AllAsCsvKeepsModifiedAndCurrentFile) {
    const std::string file = WriteCatalogue("k.tracklore", {"a"});
    Start({file});
    AddRecords({"b"});
    const std::string csv = dir_.Path("out/all.csv");
    std::filesystem::create_directory(dir_.Path("out"));
    shell_.SaveAnswers = {csv};
    window_->Run(TCommandId::ExportCSV);
    EXPECT_EQ(shell_.SaveDialogs.at(0).FilterIndex, 2);
    EXPECT_TRUE(std::filesystem::exists(csv));
    EXPECT_EQ(window_->CurrentFile(), file);
    EXPECT_EQ(RecordsIn(file), 1);
    // The open file still lacks the change: closing must ask.
    EXPECT_TRUE(window_->Modified());
    shell_.MessageAnswers = {TModalResult::Cancel};
    EXPECT_FALSE(window_->CloseQuery());
    EXPECT_EQ(window_->Prefs().LastDir, dir_.Root());  // the open file's folder
}

TEST_F(FileCommandsTest, CsvOpenedAsTheCatalogueSavedOverItselfClearsModified) {
    const std::string csv = dir_.Path("own.csv");
    {
        TTracklore catalogue;
        TrackRecord record = MakeRecord("A", "a");
        catalogue.Insert(record);
        catalogue.ExportCSV(csv);
    }
    Start({csv});
    AddRecords({"b"});
    shell_.SaveAnswers = {csv};
    shell_.MessageAnswers = {TModalResult::Yes};  // overwrite
    EXPECT_TRUE(window_->FileSaveAs(TSaveAsKind::AllAsCSV));
    EXPECT_EQ(window_->CurrentFile(), csv);
    EXPECT_FALSE(window_->Modified());
}

TEST_F(FileCommandsTest, CsvExportOfUntitledRemembersTheExportFolder) {
    Start();
    AddRecords({"a"});
    std::filesystem::create_directory(dir_.Path("csv"));
    shell_.SaveAnswers = {dir_.Path("csv/u.csv")};
    EXPECT_TRUE(window_->FileSaveAs(TSaveAsKind::AllAsCSV));
    EXPECT_EQ(window_->CurrentFile(), "Untitled");
    EXPECT_EQ(window_->Prefs().LastDir, dir_.Path("csv"));
}

TEST_F(FileCommandsTest, SelectionExportWithoutSelectionWarnsAndStops) {
    Start();
    window_->Run(TCommandId::ExportSelCSV);
    window_->Run(TCommandId::ExportSelTracklore);
    ASSERT_EQ(shell_.Messages.size(), 2u);
    EXPECT_EQ(shell_.Messages[0].Text, "There are no items selected in the database...");
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Warning);
    EXPECT_TRUE(shell_.SaveDialogs.empty());
}

TEST_F(FileCommandsTest, SelectionAsCatalogueKeepsModifiedAndCurrentFile) {
    const std::string file = WriteCatalogue("m.tracklore", {"a", "b", "c"});
    Start({file});
    TrackRecord pattern;
    pattern.Title = "b";
    window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(pattern));
    window_->SetModified(true);
    const std::string out = dir_.Path("sel.tracklore");
    shell_.SaveAnswers = {out};
    window_->Run(TCommandId::ExportSelTracklore);
    EXPECT_EQ(shell_.SaveDialogs.at(0).FilterIndex, 1);
    EXPECT_EQ(RecordsIn(out), 1);
    EXPECT_EQ(window_->CurrentFile(), file);
    EXPECT_TRUE(window_->Modified());
    EXPECT_EQ(window_->Catalogue().Count(), 3);
}

// --- Merge ----------------------------------------------------------------------------

TEST_F(FileCommandsTest, MergingAFileIntoItselfDoublesWithNewIdentifiers) {
    const std::string file = WriteCatalogue("self.tracklore", {"a", "b"});
    Start({file});
    shell_.OpenAnswers = {std::vector<std::string>{file}};
    std::vector<std::pair<uint16_t, int>> firstMessages;
    shell_.OnProcessMessages = [&] {
        if (firstMessages.empty())
            firstMessages.emplace_back(window_->CommandMask(), window_->Catalogue().Count());
    };
    window_->Run(TCommandId::FileMerge);
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(firstMessages, (std::vector<std::pair<uint16_t, int>>{{0, 2}}));
    EXPECT_EQ(IdsInSlotOrder(window_->Catalogue()), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b", "a", "b"}));
    EXPECT_EQ(window_->Views().AllList().RowCount(), 4);
    EXPECT_TRUE(window_->Modified());
    EXPECT_EQ(window_->CurrentFile(), file);
    EXPECT_EQ(shell_.Status, "");
}

TEST_F(FileCommandsTest, FailedMergeReportsWithCommandsBackAndNothingChanged) {
    Start({WriteCatalogue("base.tracklore", {"a"})});
    shell_.OpenAnswers = {std::vector<std::string>{dir_.Path("missing.tracklore")}};
    uint16_t maskDuringError = 0;
    shell_.OnMessageBox = [&](const TScriptedShell::Message&) {
        maskDuringError = window_->CommandMask();
    };
    window_->Run(TCommandId::FileMerge);
    EXPECT_EQ(shell_.OpenDialogs.at(0).Title, "Merge catalogue");
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Error);
    EXPECT_EQ(maskDuringError, ui::kMaskAfterRebuild | ui::kMaskSearch);
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_FALSE(window_->Modified());
    EXPECT_EQ(shell_.Status, "");
}

TEST_F(FileCommandsTest, MergeStoppedByAFullCatalogueKeepsWhatItAdded) {
    Start();
    TTracklore& catalogue = window_->Catalogue();
    for (int i = 0; i < TTracklore::kSlotCount - 1; ++i) {
        TrackRecord record;
        catalogue.Insert(record);
    }
    const std::string file = WriteCatalogue("two.tracklore", {"first", "second"});
    shell_.OpenAnswers = {std::vector<std::string>{file}};
    window_->Run(TCommandId::FileMerge);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, test::kFullCatalogue);
    EXPECT_EQ(catalogue.Count(), TTracklore::kSlotCount);
    EXPECT_TRUE(window_->Modified());
    EXPECT_EQ(window_->Views().AllList().RowCount(), TTracklore::kSlotCount);
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
}

}  // namespace
}  // namespace tracklore::test
