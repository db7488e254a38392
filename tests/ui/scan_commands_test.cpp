// Add directory, Add file and dropped files from the window, over MP3 frames written into a
// private folder that the drive table maps to the labelled drive "m".
#include <algorithm>

#include <gtest/gtest.h>

#include "core/messages.h"
#include "tests/support/main_window_fixture.h"
#include "ui/browse_folder.h"
#include "ui/command_mask.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TMsgKind;

const std::string kNotFound = "Invalid MPEG-l3 file - header not found in stream";

// 1,000 frames of 26.1 s whose first frame holds a Xing header claiming 1,500 frames
// (39.2 s): a count the quick scan believes and the walk of every frame does not need.
std::string FramesUnderAnOverstatingHeader() {
    std::string bytes = Mp3Frames(1000);
    bytes.replace(36, 12, std::string("Xing\0\0\0\x01\0\0\x05\xDC", 12));
    return bytes;
}

class ScanCommandsTest : public MainWindowFixture {
protected:
    std::vector<std::string> Filenames() {
        std::vector<std::string> names;
        for (int slot = 0; slot < TTracklore::kSlotCount; ++slot)
            if (const TrackRecord* record = window_->Catalogue().SlotRecord(slot))
                names.emplace_back(record->Filename.view());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// --- Add directory ----------------------------------------------------------------------

TEST_F(ScanCommandsTest, FolderChooserOpensWhereTheLastScanWas) {
    Start();
    Put("first/a.mp3", Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("first"), std::nullopt};
    window_->Run(TCommandId::AddDir);
    window_->Run(TCommandId::AddDir);
    ASSERT_EQ(shell_.FolderDialogs.size(), 2u);
    EXPECT_EQ(shell_.FolderDialogs[0].FolderName, "");
    EXPECT_EQ(shell_.FolderDialogs[1].FolderName, dir_.Path("first"));
}

TEST_F(ScanCommandsTest, AddDirectoryScansMp3FilesOfTheTreeAndListsFailures) {
    Start();
    Put("music/a.MP3", Mp3Frames(20));
    Put("music/b.txt", Mp3Frames(20));
    Put("music/sub/c.mp3", Mp3Frames(20));
    const std::string zero = Put("music/x.mp3", std::string(200, '\0'));
    shell_.FolderAnswers = {dir_.Path("music") + "/"};
    // Messages run before each file (and while the views are rebuilt), commands off.
    std::vector<uint16_t> masksDuringMessages;
    shell_.OnProcessMessages = [&] { masksDuringMessages.push_back(window_->CommandMask()); };

    window_->Run(TCommandId::AddDir);
    ASSERT_EQ(shell_.FolderDialogs.size(), 1u);
    EXPECT_EQ(shell_.FolderDialogs[0].BrowseKind, ui::TBrowseKind::bkMyComputer);
    EXPECT_EQ(shell_.FolderDialogs[0].DialogText, "Please select the folder, you wish to scan...");
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(Filenames(), (std::vector<std::string>{"/music/a.MP3", "/music/sub/c.mp3"}));
    ASSERT_EQ(shell_.ScanErrorDialogs.size(), 1u);
    EXPECT_EQ(shell_.ScanErrorDialogs[0],
              (std::vector<std::string>{
                  "Files not added due to errors:", "------------------------------",
                  zero + "  -  " + kNotFound}));
    EXPECT_GE(masksDuringMessages.size(), 3u);
    EXPECT_EQ(std::count(masksDuringMessages.begin(), masksDuringMessages.end(), 0),
              static_cast<long>(masksDuringMessages.size()));
    EXPECT_EQ(
        std::count_if(shell_.StatusTexts.begin(), shell_.StatusTexts.end(),
                      [](const std::string& text) { return text.rfind("Scanning: ", 0) == 0; }),
        3);
    EXPECT_EQ(shell_.Status, "");
    EXPECT_EQ(window_->Views().AllList().RowCount(), 2);
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(ScanCommandsTest, AddDirectoryWithoutFailuresShowsNoErrorDialog) {
    Start();
    Put("clean/a.mp3", Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("clean")};
    window_->Run(TCommandId::AddDir);
    EXPECT_TRUE(shell_.ScanErrorDialogs.empty());
    EXPECT_EQ(window_->Catalogue().Count(), 1);
}

TEST_F(ScanCommandsTest, AddDirectoryCancelledDoesNothing) {
    Start();
    ForgetShell();
    shell_.FolderAnswers = {std::nullopt};
    window_->Run(TCommandId::AddDir);
    EXPECT_TRUE(shell_.Masks.empty());
    EXPECT_FALSE(window_->Modified());
}

TEST_F(ScanCommandsTest, AddDirectoryEndedByAnErrorRestoresTheCommands) {
    Start();
    shell_.FolderAnswers = {dir_.Path("gone")};  // a folder that cannot be listed
    uint16_t maskDuringError = 0;
    shell_.OnMessageBox = [&](const TScriptedShell::Message&) {
        maskDuringError = window_->CommandMask();
    };
    window_->Run(TCommandId::AddDir);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Error);
    EXPECT_EQ(maskDuringError, ui::kMaskAfterRebuild);
    EXPECT_TRUE(shell_.ScanErrorDialogs.empty());
    EXPECT_FALSE(window_->Modified());  // nothing was added
    EXPECT_EQ(shell_.Status, "");
}

TEST_F(ScanCommandsTest, EmptyAndShortFilesAreListedAndTheScanGoesOn) {
    Start();
    const std::string empty = Put("cd/01.mp3", "");
    const std::string cut = Put("cd/02.mp3", Mp3Frames(1).substr(0, 100));
    for (const char* name : {"cd/03.mp3", "cd/04.mp3", "cd/05.mp3"})
        Put(name, Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("cd")};
    window_->Run(TCommandId::AddDir);
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(window_->Catalogue().Count(), 3);
    ASSERT_EQ(shell_.ScanErrorDialogs.size(), 1u);
    std::vector<std::string> lines = shell_.ScanErrorDialogs[0];
    std::sort(lines.begin() + 2, lines.end());
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "Files not added due to errors:", "------------------------------",
                  empty + "  -  Read less than expected", cut + "  -  Read less than expected"}));
    EXPECT_TRUE(window_->Modified());
}

TEST_F(ScanCommandsTest, CancelledFolderScanKeepsWhatItAddedAndSaysSo) {
    Start();
    for (const char* name : {"c/1.mp3", "c/2.mp3", "c/3.mp3", "c/4.mp3", "c/5.mp3"})
        Put(name, Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("c")};
    // The user clicks Cancel while the third file is announced.
    shell_.OnProcessMessages = [&] {
        if (window_->Catalogue().Count() == 2) window_->CancelScan();
    };
    window_->Run(TCommandId::AddDir);
    EXPECT_EQ(window_->Catalogue().Count(), 2);
    EXPECT_EQ(window_->Views().AllList().RowCount(), 2);
    EXPECT_EQ(shell_.ScanCancelStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(shell_.Status, "Scan cancelled: 2 files added");
    EXPECT_TRUE(window_->Modified());
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
    EXPECT_TRUE(shell_.Messages.empty());
}

TEST_F(ScanCommandsTest, CancelBeforeTheFirstFileAddsNothingAndLeavesModified) {
    Start();
    Put("n/1.mp3", Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("n")};
    shell_.OnProcessMessages = [&] { window_->CancelScan(); };
    window_->Run(TCommandId::AddDir);
    EXPECT_EQ(window_->Catalogue().Count(), 0);
    EXPECT_EQ(shell_.Status, "Scan cancelled: 0 files added");
    EXPECT_FALSE(window_->Modified());
}

TEST_F(ScanCommandsTest, CancelOutsideAScanDoesNotStopTheNextOne) {
    Start();
    Put("o/1.mp3", Mp3Frames(20));
    Put("o/2.mp3", Mp3Frames(20));
    window_->CancelScan();
    shell_.FolderAnswers = {dir_.Path("o")};
    window_->Run(TCommandId::AddDir);
    EXPECT_EQ(window_->Catalogue().Count(), 2);
    EXPECT_EQ(shell_.Status, "");
}

TEST_F(ScanCommandsTest, FolderScanProgressCountsTheFilesDone) {
    Start();
    std::vector<std::string> files;
    for (const char* name : {"p/a.mp3", "p/b.mp3", "p/c.mp3"})
        files.push_back(Put(name, Mp3Frames(20)));
    shell_.FolderAnswers = {dir_.Path("p")};
    window_->Run(TCommandId::AddDir);
    // Each file is announced once, with the count of the files before it (in folder order).
    std::vector<std::string> counts;
    for (const std::string& text : shell_.StatusTexts) {
        for (const std::string& file : files) {
            const std::string prefix = "Scanning: " + file;
            if (text.rfind(prefix, 0) == 0) counts.push_back(text.substr(prefix.size()));
        }
    }
    EXPECT_EQ(counts, (std::vector<std::string>{" (0 files)", " (1 file)", " (2 files)"}));
}

TEST_F(ScanCommandsTest, CancelAfterOneFileSaysOneFile) {
    Start();
    for (const char* name : {"o/1.mp3", "o/2.mp3"})
        Put(name, Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("o")};
    shell_.OnProcessMessages = [&] {
        if (window_->Catalogue().Count() == 1) window_->CancelScan();
    };
    window_->Run(TCommandId::AddDir);
    EXPECT_EQ(shell_.Status, "Scan cancelled: 1 file added");
}

TEST_F(ScanCommandsTest, ErrorEndingAFolderScanHidesTheCancelButton) {
    Start();
    shell_.FolderAnswers = {dir_.Path("gone")};
    window_->Run(TCommandId::AddDir);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.ScanCancelStates, (std::vector<bool>{true, false}));
    // The window is back to normal: a later click has nothing to stop.
    window_->CancelScan();
    Put("s2/a.mp3", Mp3Frames(20));
    shell_.FolderAnswers = {dir_.Path("s2")};
    window_->Run(TCommandId::AddDir);
    EXPECT_EQ(window_->Catalogue().Count(), 1);
}

TEST_F(ScanCommandsTest, ScanEntireFilePreferenceChoosesTheWalkForEveryEntryPoint) {
    Start();
    const std::string path = Put("v/x.mp3", FramesUnderAnOverstatingHeader());
    const auto playLength = [&] {
        return window_->Catalogue().SlotRecord(window_->Catalogue().Count() - 1)->PlayLength;
    };
    window_->DropFiles({path});
    EXPECT_EQ(playLength(), 39);

    window_->Prefs().ScanVBR = true;
    window_->DropFiles({path});
    EXPECT_EQ(playLength(), 26);
    shell_.OpenAnswers = {std::vector<std::string>{path}};
    window_->Run(TCommandId::AddFile);
    EXPECT_EQ(playLength(), 26);
    shell_.FolderAnswers = {dir_.Path("v")};
    window_->Run(TCommandId::AddDir);
    EXPECT_EQ(playLength(), 26);
}

// --- Add file ---------------------------------------------------------------------------

TEST_F(ScanCommandsTest, AddFileScansEveryChosenFileAndSetsModified) {
    Start();
    const std::string a = Put("f/a.mp3", Mp3Frames(20));
    const std::string b = Put("f/b.mp3", Mp3Frames(30));
    shell_.OpenAnswers = {std::vector<std::string>{b, a}};
    window_->Run(TCommandId::AddFile);
    const ui::TFileDialogOptions& options = shell_.OpenDialogs.at(0);
    EXPECT_EQ(options.Filters, (std::vector<std::pair<std::string, std::string>>{
                                   {"MPEG Layer-3 files (*.mp3)", "*.mp3"}}));
    EXPECT_EQ(options.Title, "Add files");
    EXPECT_EQ(options.DefaultExt, "mp3");
    EXPECT_TRUE(options.MultiSelect);
    EXPECT_TRUE(options.MustExist);
    EXPECT_EQ(window_->Views().AllList().RowCount(), 2);
    EXPECT_EQ(window_->Views().AllList().Row(0).Texts[8], "/f/b.mp3");  // dialog order
    EXPECT_TRUE(window_->Modified());
}

TEST_F(ScanCommandsTest, AddFileStopsAtTheFirstErrorKeepingEarlierFiles) {
    Start();
    const std::string good = Put("g/a.mp3", Mp3Frames(20));
    const std::string bad = Put("g/z.mp3", std::string(200, '\0'));
    const std::string later = Put("g/c.mp3", Mp3Frames(20));
    shell_.OpenAnswers = {std::vector<std::string>{good, bad, later}};
    window_->Run(TCommandId::AddFile);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, kNotFound);
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_EQ(window_->Views().AllList().RowCount(), 1);
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
    EXPECT_TRUE(window_->Modified());  // the file added before the error is unsaved
}

TEST_F(ScanCommandsTest, AddFileOrDropAddingNothingLeavesModified) {
    Start();
    const std::string bad = Put("h/z.mp3", std::string(200, '\0'));
    shell_.OpenAnswers = {std::vector<std::string>{bad}};
    window_->Run(TCommandId::AddFile);
    window_->DropFiles({dir_.Path("h/notes.txt")});
    EXPECT_FALSE(window_->Modified());
}

// --- Dropped files ----------------------------------------------------------------------

TEST_F(ScanCommandsTest, DropAddsMp3FilesInAnyCaseOnly) {
    Start();
    const std::string upper = Put("d/one.MP3", Mp3Frames(20));
    const std::string wav = Put("d/two.wav", Mp3Frames(20));
    const std::string lower = Put("d/three.mp3", Mp3Frames(20));
    window_->DropFiles({upper, wav, lower});
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(Filenames(), (std::vector<std::string>{"/d/one.MP3", "/d/three.mp3"}));
    EXPECT_EQ(window_->Views().AllList().RowCount(), 2);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(ScanCommandsTest, DropErrorIsReportedAndEarlierFilesStay) {
    Start();
    const std::string good = Put("e/a.mp3", Mp3Frames(20));
    window_->DropFiles({good, dir_.Path("e/gone.mp3"), good});
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Caption, "Corvane Tracklore");
    EXPECT_EQ(shell_.Messages[0].Kind, TMsgKind::Error);
    EXPECT_EQ(window_->Catalogue().Count(), 1);
    EXPECT_EQ(window_->Views().AllList().RowCount(), 1);
    EXPECT_EQ(window_->CommandMask(), ui::kMaskAfterRebuild | ui::kMaskSearch);
    EXPECT_TRUE(window_->Modified());
}

TEST_F(ScanCommandsTest, DroppedNameLongerThan255BytesIsScannedWhole) {
    Start();
    // Paths on this system run far past 255 bytes; a cut name would name no file at all.
    const std::string folder = std::string(120, 'a') + "/" + std::string(120, 'b') + "/";
    const std::string path = Put(folder + "\xC3\xA9t\xC3\xA9.mp3", Mp3Frames(20));
    ASSERT_GT(path.size(), 255u);
    window_->DropFiles({path});
    EXPECT_TRUE(shell_.Messages.empty());
    EXPECT_EQ(Filenames(), (std::vector<std::string>{"/" + folder + "\xC3\xA9t\xC3\xA9.mp3"}));
}

// --- Folder chooser ---------------------------------------------------------------------

TEST(BrowseFolderExecute, CancelLeavesTheFolderAndOkCutsTheSeparator) {
    TScriptedShell shell;
    ui::TBrowseFolderDlg dialog;
    dialog.FolderName = "/preset";
    shell.FolderAnswers = {std::nullopt, "/music/"};
    EXPECT_FALSE(dialog.Execute(shell));
    EXPECT_EQ(dialog.FolderName, "/preset");
    EXPECT_TRUE(dialog.Execute(shell));
    EXPECT_EQ(dialog.FolderName, "/music");
}

}  // namespace
}  // namespace tracklore::test
