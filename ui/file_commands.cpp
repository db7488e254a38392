// New, Open, Save, Save As with the Export items, and Merge.
#include <filesystem>

#include "core/file_choice.h"
#include "core/format.h"
#include "core/messages.h"
#include "core/progress_box.h"
#include "platform/file_info.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/recent_files.h"

namespace tracklore::ui {

namespace {

constexpr char kCataloguePattern[] = "*.tracklore";
constexpr char kDefaultExt[] = "tracklore";

TFileDialogOptions OpenDialogOptions(const std::string& lastDir) {
    TFileDialogOptions options;
    options.Filters = {{msg::FilterCatalogues, kCataloguePattern},
                       {msg::FilterCsvFiles, "*.csv"},
                       {msg::FilterAllFilesOpen, "*"}};
    options.DefaultExt = kDefaultExt;
    options.InitialDir = AbsoluteFileName(lastDir);
    return options;
}

// The progress box over the load of a large catalogue file: its job is the status text of
// the load, its bar follows the records read, and each new percent lets messages through,
// so the window keeps painting (at most a hundred times a load, whatever its size). A
// small file or a CSV file loads without it, as before.
class TLoadProgressBox {
public:
    TLoadProgressBox(TShell& shell, const std::string& fileName, int64_t fromSize) : shell_(shell) {
        const auto status = platform::GetFileStatus(fileName);
        if (IsCsvFileName(fileName) || !status || status->Size < fromSize) return;
        box_.SetJob(Format(msg::LoadingDatabase, fileName.c_str()));
        shell_.ShowProgress(box_, true);
        shown_ = true;
    }
    ~TLoadProgressBox() {
        try {
            if (shown_) shell_.ShowProgress(box_, false);
        } catch (...) {
            // A destructor never throws; the box goes with its window at worst.
        }
    }
    TLoadProgressBox(const TLoadProgressBox&) = delete;
    TLoadProgressBox& operator=(const TLoadProgressBox&) = delete;

    /// What the load reports to: nothing when the box is not shown.
    LoadProgress Callback() {
        if (!shown_) return {};
        return [this](int percent) {
            box_.SetProgress(percent);
            shell_.ProcessMessages();
        };
    }

private:
    TShell& shell_;
    TProgressBox box_;
    bool shown_ = false;
};

// The folder part of a file name, without a trailing separator (a root keeps it).
std::string FolderOf(const std::string& fileName) {
    return std::filesystem::path(fileName).parent_path().string();
}

}  // namespace

TFileDialogOptions SaveDialogOptions(const std::string& lastDir, int filterIndex) {
    TFileDialogOptions options;
    options.Filters = {{msg::FilterCatalogues, kCataloguePattern},
                       {msg::FilterCommaSeparated, "*.csv"},
                       {msg::FilterAllFilesSave, "*"}};
    options.FilterIndex = filterIndex;
    options.DefaultExt = kDefaultExt;
    // A remembered "." would follow the program's current folder wherever it is started.
    options.InitialDir = AbsoluteFileName(lastDir);
    return options;
}

std::string AbsoluteFileName(const std::string& name) {
    const std::string current = platform::CurrentFolder();
    if (current.empty()) return name;
    return platform::AbsolutePath(name, current);
}

bool TMainWindow::AskSaveFirst(const char* question) {
    if (!modified_) return true;
    switch (
        shell_.MessageBox(question, kAppTitle, TMsgKind::Confirmation, mbYes | mbNo | mbCancel)) {
        case TModalResult::No: return true;
        // The changes are dropped only when the user said so: a save that did not happen
        // (Save As cancelled, overwrite refused) stops the command.
        case TModalResult::Yes: return FileSave();
        default: return false;
    }
}

bool TMainWindow::FileNew() {
    if (!AskSaveFirst(msg::SaveBeforeReset)) return false;
    SetSelectedSet(nullptr);
    currentFile_ = kUntitled;
    UpdateCaption();
    catalogue_->ResetDB();
    ++catalogueGeneration_;
    views_.RefreshViews(FullRebuild);
    modified_ = false;
    return true;
}

bool TMainWindow::FileOpen() {
    TFileDialogOptions options = OpenDialogOptions(prefs_.LastDir);
    if (!AskSaveFirst(msg::SaveBeforeOpen)) return false;
    std::vector<std::string> files;
    if (!shell_.OpenFileDialog(options, files) || files.empty()) return false;
    return OpenCatalogue(AbsoluteFileName(files.front()));
}

bool TMainWindow::OpenRecent(const std::string& fileName) {
    if (!AskSaveFirst(msg::SaveBeforeOpen)) return false;
    return OpenCatalogue(AbsoluteFileName(fileName));
}

bool TMainWindow::OpenCatalogue(const std::string& fileName) {
    SetCommandMask(0);
    currentFile_ = fileName;
    SetStatusText(Format(msg::LoadingDatabase, fileName.c_str()));
    shell_.ProcessMessages();
    SetSelectedSet(nullptr);
    ++catalogueGeneration_;

    std::string failure;
    try {
        TLoadProgressBox progress(shell_, fileName, progressFileSize_);
        LoadByFormat(*catalogue_, fileName, progress.Callback());
        prefs_.LastDir = FolderOf(fileName);
    } catch (const std::exception& e) {
        catalogue_->ResetDB();
        failure = Format(msg::FailedToOpen, fileName.c_str(), e.what());
        currentFile_ = kUntitled;
        ForgetRecentFile(prefs_.RecentFiles, fileName);
    }

    UpdateCaption();
    modified_ = false;
    try {
        views_.RefreshViews(FullRebuild);
    } catch (...) {
        RecoverViews();
        throw;
    }
    SetStatusText("");
    // Reported once the window is usable again: views rebuilt, commands enabled.
    if (!failure.empty()) shell_.MessageBox(failure, kAppTitle, TMsgKind::Warning, mbOK);
    return true;
}

bool TMainWindow::FileSave() {
    if (currentFile_ == kUntitled) {
        const bool saved = FileSaveAs(TSaveAsKind::SaveAs);
        UpdateCaption();
        return saved;
    }
    SaveByFormat(*catalogue_, currentFile_);
    modified_ = false;
    UpdateCaption();
    return true;
}

bool TMainWindow::MayOverwrite(const std::string& fileName) {
    std::error_code ignored;
    if (!std::filesystem::exists(fileName, ignored)) return true;
    return shell_.MessageBox(Format(msg::OkToOverwrite, fileName.c_str()), kAppTitle,
                             TMsgKind::Confirmation, mbYes | mbNo | mbCancel) == TModalResult::Yes;
}

bool TMainWindow::FileSaveAs(TSaveAsKind kind) {
    const bool csvFilter = kind == TSaveAsKind::AllAsCSV || kind == TSaveAsKind::SelectedAsCSV;
    const bool selection =
        kind == TSaveAsKind::SelectedAsCSV || kind == TSaveAsKind::SelectedAsTracklore;
    TFileDialogOptions options = SaveDialogOptions(prefs_.LastDir, csvFilter ? 2 : 1);

    if (selection && !selectedSet_) {
        shell_.MessageBox(msg::NoItemsSelected, kAppTitle, TMsgKind::Warning, mbOK);
        return false;
    }
    std::string fileName;
    if (!shell_.SaveFileDialog(options, fileName)) {
        UpdateCaption();
        return false;
    }
    fileName = AbsoluteFileName(fileName);
    if (!MayOverwrite(fileName)) return false;

    SetStatusText(Format(msg::SavingDatabase, fileName.c_str()));
    SaveByFormat(selection ? *selectedSet_ : *catalogue_, fileName);
    // Only the whole catalogue in its own format becomes the open file; a CSV copy or a
    // selection leaves the catalogue where it was. The changes count as saved only when
    // the open file itself was written: after a CSV copy, Exit must still ask.
    if (!selection && (!IsCsvFileName(fileName) || fileName == currentFile_)) {
        currentFile_ = fileName;
        modified_ = false;
    }
    SetStatusText("");
    // An unsaved catalogue has no folder of its own: remember where the copy went.
    prefs_.LastDir = FolderOf(currentFile_ == kUntitled ? fileName : currentFile_);
    UpdateCaption();
    return true;
}

bool TMainWindow::FileMerge() {
    TFileDialogOptions options = OpenDialogOptions(prefs_.LastDir);
    options.Title = msg::MergeDialogCaption;
    std::vector<std::string> files;
    if (!shell_.OpenFileDialog(options, files) || files.empty()) return false;
    const std::string fileName = files.front();

    SetCommandMask(0);
    SetStatusText(Format(msg::LoadingDatabase, fileName.c_str()));
    shell_.ProcessMessages();
    const int before = catalogue_->Count();
    try {
        TLoadProgressBox progress(shell_, fileName, progressFileSize_);
        MergeFromFile(*catalogue_, fileName, progress.Callback());
    } catch (...) {
        // The records merged before the failure stay, and they are unsaved changes.
        if (catalogue_->Count() > before) modified_ = true;
        RecoverViews();
        throw;
    }
    views_.RefreshViews(FullRebuild);
    modified_ = true;
    SetStatusText("");
    return true;
}

}  // namespace tracklore::ui
