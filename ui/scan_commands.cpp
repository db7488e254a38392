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

void TMainWindow::AddDir() {
    TBrowseFolderDlg dialog;
    dialog.BrowseKind = TBrowseKind::bkMyComputer;
    dialog.DialogText = msg::SelectFolderToScan;
    // Collections are added folder by folder: open where the last scan was.
    dialog.FolderName = lastScanFolder_;
    if (!dialog.Execute(shell_)) return;
    lastScanFolder_ = dialog.FolderName;

    std::vector<std::string> errors{msg::ScanErrorsHeading, msg::ScanErrorsRule};
    SetCommandMask(0);
    const int before = catalogue_->Count();
    TScanOptions options = OptionsFor(prefs_);
    options.Cancel = &cancelScan_;
    scanning_ = true;
    cancelScan_ = false;
    scanFilesDone_ = 0;
    shell_.ShowScanCancel(true);
    // The button goes as soon as the scan ends, before any dialog or error box shows.
    const auto endScan = [&] {
        scanning_ = false;
        cancelScan_ = false;
        shell_.ShowScanCancel(false);
    };
    bool finished = false;
    try {
        finished = ScanFolder(*catalogue_, dialog.FolderName, errors, options);
    } catch (...) {
        endScan();
        // The records added before the failure stay, and they are unsaved changes.
        if (catalogue_->Count() > before) modified_ = true;
        RecoverViews();
        throw;
    }
    endScan();
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
