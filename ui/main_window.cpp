// The main window's state and flows: start-up, the command mask, commands and errors.
#include "ui/main_window.h"

#include <exception>
#include <filesystem>

#include "core/file_choice.h"
#include "core/format.h"
#include "core/messages.h"
#include "playback/ext_player.h"
#include "ui/column_layout.h"
#include "ui/command_mask.h"
#include "ui/file_dialogs.h"
#include "ui/recent_files.h"
#include "ui/settings_dialog.h"

namespace tracklore::ui {

namespace {

void ScanNotification(void* context, TTracklore&, const std::string& path) {
    static_cast<TMainWindow*>(context)->ScanProgress(path);
}

}  // namespace

TMainWindow::TMainWindow(TShell& shell, std::string registryFile)
    : shell_(shell),
      registryFile_(std::move(registryFile)),
      catalogue_(std::make_unique<TTracklore>(this)),
      views_(*this) {
    views_.Volumes().SetDriveSource([this] { return SearchedDrives(); });
}

TMainWindow::~TMainWindow() = default;

void TMainWindow::Create(const std::vector<std::string>& args) {
    selectedSet_.reset();
    UpdateStopCommand();  // no player yet: hidden, also when the start fails

    // A first start has no store at all: nothing went wrong, so nothing is said. A store
    // that exists but cannot be read (or lacks values) is still reported.
    std::error_code unknown;
    firstStart_ = !std::filesystem::exists(registryFile_, unknown) && !unknown;
    bool prefsRead = false;
    try {
        prefsRead = LoadPrefs(prefs_, registryFile_);
    } catch (const std::exception&) {
        // An unreadable store is reported like a missing value: defaults stay.
    }
    if (!prefsRead && !firstStart_)
        shell_.MessageBox(msg::CouldNotReadPrefs, kAppTitle, TMsgKind::Plain, mbOK | mbCancel);
    shell_.ApplyViewPrefs(prefs_);
    catalogue_->SetCapacity(prefs_.Capacity);

    catalogue_->SetOnScan({&ScanNotification, this});

    // Without a file named, the catalogue open at the last exit comes back (when wanted).
    const std::string startFile = args.empty() ? FileToReopen(prefs_) : args[0];
    if (!startFile.empty()) {
        shell_.ShowSplash(true);
        bool splashShown = true;
        currentFile_ = AbsoluteFileName(startFile);
        try {
            LoadByFormat(*catalogue_, currentFile_);
            views_.RefreshViews(FullRebuild);
        } catch (const std::exception& e) {
            // The splash stays on top of every window: the warning would open hidden under it
            // and the start would seem to hang, so the splash goes first.
            shell_.ShowSplash(false);
            splashShown = false;
            shell_.MessageBox(Format(msg::FailedToOpen, currentFile_.c_str(), e.what()), kAppTitle,
                              TMsgKind::Warning, mbOK);
            catalogue_->ResetDB();
            ForgetRecentFile(prefs_.RecentFiles, currentFile_);
            currentFile_ = kUntitled;
        }
        if (splashShown) shell_.ShowSplash(false);
    } else {
        currentFile_ = kUntitled;
    }

    UpdateCaption();
    SetCommandMask(kMaskAtStart);
    modified_ = false;
    for (TListView* list : {&views_.AllList(), &views_.SelectedList()}) {
        list->SortColumn = 0;
        list->SortDirection = 1;
    }

    // The player configuration comes after the window, as it binds the chosen plug-in.
    player_ = std::make_unique<playback::TExtPlayer>(shell_, registryFile_);
    UpdateStopCommand();
    // Its searched drives say which volumes are online.
    views_.Volumes().Rebuild(*catalogue_);
}

void TMainWindow::Destroy(int left, int top, int width, int height) {
    // The player goes first: its temporary copies are deleted and the plug-in unloaded
    // before the preferences are written.
    if (player_) {
        player_->Close();
        player_.reset();
        UpdateStopCommand();
    }
    prefs_.Xpos = left;
    prefs_.Ypos = top;
    prefs_.Xsize = width;
    prefs_.Ysize = height;
    prefs_.LastFile = currentFile_ == kUntitled ? std::string() : currentFile_;
    SavePrefs(prefs_, registryFile_);
}

bool TMainWindow::Guarded(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        shell_.MessageBox(e.what(), kAppTitle, TMsgKind::Error, mbOK);
        return false;
    }
}

void TMainWindow::Run(TCommandId command, TViewSource source) {
    Guarded([&] {
        switch (command) {
            case TCommandId::FileNew: FileNew(); break;
            case TCommandId::FileOpen: FileOpen(); break;
            case TCommandId::FileSave: FileSave(); break;
            case TCommandId::FileSaveAs: FileSaveAs(TSaveAsKind::SaveAs); break;
            case TCommandId::ExportCSV: FileSaveAs(TSaveAsKind::AllAsCSV); break;
            case TCommandId::ExportSelCSV: FileSaveAs(TSaveAsKind::SelectedAsCSV); break;
            case TCommandId::ExportSelTracklore:
                FileSaveAs(TSaveAsKind::SelectedAsTracklore);
                break;
            case TCommandId::FileMerge: FileMerge(); break;
            case TCommandId::AddDir: AddDir(); break;
            case TCommandId::AddFile: AddFile(); break;
            case TCommandId::UpdateDir: UpdateDir(); break;
            case TCommandId::Sort: SortCommand(); break;
            case TCommandId::Renumber: RenumberCommand(); break;
            case TCommandId::ViewList: ShowPage(TPage::List); break;
            case TCommandId::ViewTree: ShowPage(TPage::Tree); break;
            case TCommandId::ViewSelected: ShowPage(TPage::Selected); break;
            case TCommandId::ViewVolumes: ShowPage(TPage::Volumes); break;
            case TCommandId::ForceRefresh: views_.RefreshViews(FullRebuild); break;
            case TCommandId::Options: Options(); break;
            case TCommandId::RunTagsmith: RunTagsmith(); break;
            case TCommandId::About: shell_.ShowAbout(); break;
            // The window closes itself (and asks CloseQuery); the sub-menu only opens.
            case TCommandId::Exit:
            case TCommandId::ExportMenu:
            case TCommandId::AddItemsToSelected: break;
            case TCommandId::FileInfo: FileInfo(); break;
            case TCommandId::Print: PrintCommand(); break;
            case TCommandId::ItemNew: AddItem(); break;
            case TCommandId::ItemEdit: EditItem(source); break;
            case TCommandId::ItemDelete: DelItem(source); break;
            case TCommandId::Search: Search(); break;
            case TCommandId::AdvancedSearch: AdvancedSearch(); break;
            case TCommandId::FindDuplicates: FindDuplicates(); break;
            case TCommandId::PlayerAdd: PlayerAdd(source); break;
            case TCommandId::PlayerPlay: PlayerPlay(source); break;
            case TCommandId::PlayerStop: PlayerStop(); break;
            case TCommandId::ConfigPlayer: ConfigPlayer(); break;
            case TCommandId::TotalFilesize: TotalFilesize(source); break;
        }
    });
}

void TMainWindow::ShowPage(TPage page) {
    const bool turned = page != activePage_;
    activePage_ = page;
    // A page control that reports the turn calls PageChanged, which sees no turn any more.
    shell_.ShowPage(page);
    if (turned) PageTurned();
    UpdateSelectionMask();
}

void TMainWindow::PageChanged(TPage page) {
    const bool turned = page != activePage_;
    activePage_ = page;
    if (turned) PageTurned();
    UpdateSelectionMask();
}

void TMainWindow::PageTurned() {
    // Patches and media changes since the last rebuild show when the page comes to front.
    if (activePage_ == TPage::Volumes) views_.Volumes().Rebuild(*catalogue_);
}

TListView& TMainWindow::ListOf(TViewSource list) {
    return list == TViewSource::SelectedList ? views_.SelectedList() : views_.AllList();
}

void TMainWindow::ListSelectionChanged(TViewSource) {
    UpdateSelectionMask();
}

void TMainWindow::TreeSelectionChanged() {
    UpdateSelectionMask();
}

void TMainWindow::UpdateSelectionMask() {
    if (mask_ == 0) return;
    SetCommandMask(views_.SelectionMask(mask_));
}

void TMainWindow::ViewDoubleClicked(TViewSource source) {
    Run(TCommandId::ItemEdit, source);
}

void TMainWindow::Options() {
    if (!EditSettings(prefs_, shell_)) return;
    shell_.ApplyViewPrefs(prefs_);
    // A smaller capacity than the records in use takes effect when the catalogue is emptied.
    catalogue_->SetCapacity(prefs_.Capacity);
}

bool TMainWindow::CloseQuery() {
    if (!modified_) return true;
    switch (shell_.MessageBox(msg::FileModifiedOnClose, kAppTitle, TMsgKind::Confirmation,
                              mbYes | mbNo | mbCancel)) {
        case TModalResult::No: return true;
        case TModalResult::Yes: {
            // Closing is allowed only when the changes were really written: a cancelled
            // Save As or a failed save keeps the window (and the changes) open.
            bool saved = false;
            Guarded([&] { saved = FileSave(); });
            return saved;
        }
        default: return false;
    }
}

void TMainWindow::SetSelectedSet(std::unique_ptr<TTracklore> set) {
    selectedSet_ = std::move(set);
}

void TMainWindow::ShowSelection(std::unique_ptr<TTracklore> set) {
    const int found = set ? set->Count() : 0;
    SetSelectedSet(std::move(set));
    views_.RefreshViews(RebuildSelected);
    ShowPage(TPage::Selected);
    SetStatusText(found == 1 ? std::string(msg::OneRecordFound) : Format(msg::RecordsFound, found));
}

void TMainWindow::SetStatusText(const std::string& text) {
    shell_.SetStatusText(text);
}

void TMainWindow::UpdateCaption() {
    shell_.SetCaption(std::string(kAppTitle) + " - " + currentFile_);
    // Every change of CurrentFile (open, save, start) passes here: a real file is recent.
    if (currentFile_ != kUntitled) NoteRecentFile(prefs_.RecentFiles, currentFile_);
}

void TMainWindow::SetCommandMask(uint16_t mask) {
    if (mask == mask_) return;
    mask_ = mask;
    shell_.ApplyCommandMask(mask);
}

void TMainWindow::RecoverViews() {
    try {
        views_.RefreshViews(FullRebuild);
    } catch (const std::exception&) {
        // The first error is the one reported; the commands must come back all the same.
        uint16_t mask = kMaskAfterRebuild;
        if (views_.AllList().RowCount() > 0) mask |= kMaskSearch;
        SetCommandMask(views_.SelectionMask(mask));
    }
    SetStatusText("");
}

}  // namespace tracklore::ui
