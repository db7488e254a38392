// Add directory, Add file, files dropped on the window, and the scan's progress line.
#include "core/format.h"
#include "core/messages.h"
#include "media/scan.h"
#include "ui/browse_folder.h"
#include "ui/main_window.h"

namespace tracklore::ui {

namespace {

// Whether scans walk every frame follows the preference "Scan entire file".
TScanOptions OptionsFor(const TPrefs& prefs) {
    TScanOptions options;
    options.ScanVBR = prefs.ScanVBR;
    return options;
}

}  // namespace

bool TMainWindow::ChooseScanFolder(const char* text, std::string& folder) {
    TBrowseFolderDlg dialog;
    dialog.BrowseKind = TBrowseKind::bkMyComputer;
    dialog.DialogText = text;
    // Collections are added folder by folder: open where the last scan was.
    dialog.FolderName = lastScanFolder_;
    if (!dialog.Execute(shell_)) return false;
    lastScanFolder_ = dialog.FolderName;
    folder = dialog.FolderName;
    return true;
}

void TMainWindow::RunFolderWalk(const std::function<void(const TScanOptions&)>& walk,
                                const std::function<bool()>& changed) {
    SetCommandMask(0);
    TScanOptions options = OptionsFor(prefs_);
    options.Cancel = &cancelScan_;
    scanning_ = true;
    cancelScan_ = false;
    scanFilesDone_ = 0;
    shell_.ShowScanCancel(true);
    // The button goes as soon as the walk ends, before any dialog or error box shows.
    const auto endScan = [&] {
        scanning_ = false;
        cancelScan_ = false;
        shell_.ShowScanCancel(false);
    };
    try {
        walk(options);
    } catch (...) {
        endScan();
        // What the walk changed before the failure stays, and is an unsaved change.
        if (changed()) modified_ = true;
        RecoverViews();
        throw;
    }
    endScan();
}

void TMainWindow::AddDir() {
    std::string folder;
    if (!ChooseScanFolder(msg::SelectFolderToScan, folder)) return;
    std::vector<std::string> errors{msg::ScanErrorsHeading, msg::ScanErrorsRule};
    const int before = catalogue_->Count();
    bool finished = false;
    RunFolderWalk(
        [&](const TScanOptions& options) {
            finished = ScanFolder(*catalogue_, folder, errors, options);
        },
        [&] { return catalogue_->Count() > before; });
    const int added = catalogue_->Count() - before;
    if (errors.size() > 2) shell_.ShowScanErrors(errors);
    views_.RefreshViews(FullRebuild);
    // A cancelled scan says so, and what it kept, until the next status text.
    if (finished)
        SetStatusText("");
    else
        SetStatusText(added == 1 ? msg::ScanCancelledOneFile : Format(msg::ScanCancelled, added));
    if (finished || added > 0) modified_ = true;
}

void TMainWindow::AddFile() {
    TFileDialogOptions options;
    options.Title = msg::AddFilesDialogCaption;
    options.Filters = {{msg::Mp3FilesFilter, "*.mp3"}};
    options.DefaultExt = "mp3";
    options.MultiSelect = true;
    options.MustExist = true;
    std::vector<std::string> files;
    if (!shell_.OpenFileDialog(options, files)) return;
    ScanChosenFiles(files);
}

void TMainWindow::DropFiles(const std::vector<std::string>& names) {
    // A drop arrives as an event, not through Run: report its error here. Names are taken
    // whole: paths here run past any fixed buffer, and a cut name would name no file.
    std::vector<std::string> files;
    for (const std::string& name : names)
        if (HasMp3Extension(name)) files.push_back(name);
    Guarded([&] { ScanChosenFiles(files); });
}

void TMainWindow::ScanChosenFiles(const std::vector<std::string>& files) {
    const int before = catalogue_->Count();
    try {
        for (const std::string& file : files)
            ScanFile(*catalogue_, file, OptionsFor(prefs_));
    } catch (...) {
        // The records added before the failure stay, and they are unsaved changes.
        if (catalogue_->Count() > before) modified_ = true;
        RecoverViews();
        throw;
    }
    views_.RefreshViews(FullRebuild);
    if (catalogue_->Count() > before) modified_ = true;
}

void TMainWindow::ScanProgress(const std::string& path) {
    shell_.ProcessMessages();
    if (!scanning_) {
        SetStatusText(msg::ScanningFile + path);
        return;
    }
    // Announced before it is scanned: the files before this one are done.
    SetStatusText(msg::ScanningFile + path +
                  (scanFilesDone_ == 1 ? msg::ScanningOneFileDone
                                       : Format(msg::ScanningFilesDone, scanFilesDone_)));
    ++scanFilesDone_;
}

void TMainWindow::CancelScan() {
    if (scanning_) cancelScan_ = true;
}

}  // namespace tracklore::ui
