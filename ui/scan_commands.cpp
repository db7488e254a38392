// Add directory, Add file, files dropped on the window, and the scan's progress line.
#include "core/strings.h"
#include "media/scan.h"
#include "ui/browse_folder.h"
#include "ui/main_window.h"

namespace tracklore::ui {

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
    try {
        ScanFolder(*catalogue_, dialog.FolderName, errors);
    } catch (...) {
        // The records added before the failure stay, and they are unsaved changes.
        if (catalogue_->Count() > before) modified_ = true;
        RecoverViews();
        throw;
    }
    if (errors.size() > 2) shell_.ShowScanErrors(errors);
    views_.RefreshViews(FullRebuild);
    SetStatusText("");
    modified_ = true;
}

void TMainWindow::AddFile() {
    TFileDialogOptions options;
    options.Filters = {{msg::Mp3FilesFilter, "*.mp3"}};
    options.DefaultExt = "mp3";
    options.MultiSelect = true;
    options.MustExist = true;
    std::vector<std::string> files;
    if (!shell_.OpenFileDialog(options, files)) return;
    try {
        for (const std::string& file : files)
            ScanFile(*catalogue_, file);
    } catch (...) {
        RecoverViews();
        throw;
    }
    views_.RefreshViews(FullRebuild);
}

void TMainWindow::DropFiles(const std::vector<std::string>& names) {
    // A drop arrives as an event, not through Run: report its error here.
    Guarded([&] {
        try {
            // Names are taken whole: paths here run past any fixed buffer, and a cut name
            // would name no file.
            for (const std::string& name : names)
                if (HasMp3Extension(name)) ScanFile(*catalogue_, name);
        } catch (...) {
            RecoverViews();
            throw;
        }
        views_.RefreshViews(FullRebuild);
    });
}

void TMainWindow::ScanProgress(const std::string& path) {
    shell_.ProcessMessages();
    SetStatusText(msg::ScanningFile + path);
}

void TMainWindow::CancelScan() {
    if (scanning_) cancelScan_ = true;
}

}  // namespace tracklore::ui
