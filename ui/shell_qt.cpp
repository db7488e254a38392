// The desktop's shell: message boxes, file and folder dialogs and the dialogs of the models.
#include "ui/shell_qt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>

#include "core/format.h"
#include "core/progress_box.h"
#include "platform/program.h"
#include "playback/player_dialog_qt.h"
#include "search/duplicates_dialog_qt.h"
#include "search/edit_dialog_qt.h"
#include "search/search_dialogs_qt.h"
#include "search/select_form.h"
#include "search/select_form_qt.h"
#include "ui/command_table.h"
#include "ui/dialog_util_qt.h"
#include "ui/main_window_qt.h"
#include "ui/printer_dialog_qt.h"
#include "ui/progress_box_qt.h"
#include "ui/settings_dialog_qt.h"
#include "ui/small_dialogs_qt.h"
#include "ui/statistics_qt.h"
#include "ui/view_prefs_qt.h"

namespace tracklore::ui {

namespace {

QMessageBox::Icon IconOf(TMsgKind kind) {
    switch (kind) {
        case TMsgKind::Information: return QMessageBox::Information;
        case TMsgKind::Warning: return QMessageBox::Warning;
        case TMsgKind::Error: return QMessageBox::Critical;
        case TMsgKind::Confirmation: return QMessageBox::Question;
        case TMsgKind::Plain: break;
    }
    return QMessageBox::NoIcon;
}

// Our buttons in the order a message box shows them, with Qt's button and the result.
struct TButtonMap {
    TMsgButton Ours;
    QMessageBox::StandardButton Qt;
    TModalResult Result;
};
constexpr TButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, TModalResult::Yes},
    {mbNo, QMessageBox::No, TModalResult::No},
    {mbOK, QMessageBox::Ok, TModalResult::OK},
    {mbCancel, QMessageBox::Cancel, TModalResult::Cancel},
    {mbAbort, QMessageBox::Abort, TModalResult::Abort},
    {mbRetry, QMessageBox::Retry, TModalResult::Retry},
    {mbIgnore, QMessageBox::Ignore, TModalResult::Ignore},
};

// The file dialog of both kinds, preset from `options`; the chosen filter goes back into it.
bool RunFileDialog(QWidget* parent, TFileDialogOptions& options, bool save, QStringList& chosen) {
    QFileDialog dialog(parent, ToQ(options.Title));
    QStringList filters;
    for (const auto& [description, patterns] : options.Filters)
        filters << ToQ(FileFilterText(description, patterns));
    dialog.setNameFilters(filters);
    if (options.FilterIndex >= 1 && options.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[options.FilterIndex - 1]);
    dialog.setDefaultSuffix(ToQ(options.DefaultExt));
    // A folder removed since it was remembered would open an empty, broken listing.
    if (!options.InitialDir.empty())
        dialog.setDirectory(QFileInfo(ToQ(options.InitialDir)).isDir() ? ToQ(options.InitialDir)
                                                                       : QDir::homePath());
    if (!options.FileName.empty()) dialog.selectFile(ToQ(options.FileName));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The command asks about overwriting itself.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(options.MultiSelect ? QFileDialog::ExistingFiles
                           : options.MustExist ? QFileDialog::ExistingFile
                                               : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    chosen = dialog.selectedFiles();
    const qsizetype filter = filters.indexOf(dialog.selectedNameFilter());
    if (filter >= 0) options.FilterIndex = static_cast<int>(filter) + 1;
    return !chosen.isEmpty();
}

}  // namespace

std::string FileFilterText(const std::string& description, const std::string& patterns) {
    std::string spaced = patterns;
    for (char& c : spaced)
        if (c == ';') c = ' ';
    // Qt filters by the patterns in the text's last parentheses. A description that carries
    // its own, such as "All Files (*.*)", gets the real patterns there: "*.*" would hide
    // every file without a dot in its name.
    const size_t open = description.rfind('(');
    if (open != std::string::npos && description.back() == ')')
        return description.substr(0, open) + "(" + spaced + ")";
    return description + " (" + spaced + ")";
}

TSelectFormHost SelectFormHost(TMainForm& form) {
    const auto act = [&form](void (TMainWindow::*action)(const TSelectForm&)) {
        return [&form, action](const TSelectForm& shown) {
            form.RunExclusive([&] { (form.Window().*action)(shown); });
        };
    };
    TSelectFormHost host;
    host.Owner = &form;
    host.RowFont = form.AllListView()->font();
    host.RowHeight = form.AllListView()->verticalHeader()->defaultSectionSize();
    host.Save = act(&TMainWindow::SelectFormSave);
    host.Print = act(&TMainWindow::SelectFormPrint);
    host.SearchWithin = act(&TMainWindow::SelectFormSearchWithin);
    return host;
}

TQtShell::TQtShell(TMainForm& form) : form_(form) {}

TQtShell::~TQtShell() = default;

TModalResult TQtShell::MessageBox(const std::string& text, const std::string& caption,
                                  TMsgKind kind, unsigned buttons) {
    // Before the main window shows (start-up messages) a box centred on it would sit where
    // the hidden window's default place is: centre it on the screen instead.
    QWidget* parent = form_.isVisible() ? &form_ : nullptr;
    QMessageBox box(IconOf(kind), ToQ(caption), ToQ(text), QMessageBox::NoButton, parent);
    for (const TButtonMap& button : kButtons)
        if ((buttons & button.Ours) != 0) box.addButton(button.Qt);
    if (box.buttons().isEmpty()) box.addButton(QMessageBox::Ok);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const TButtonMap& button : kButtons)
        if (button.Qt == clicked) return button.Result;
    return TModalResult::Cancel;
}

bool TQtShell::OpenFileDialog(TFileDialogOptions& options, std::vector<std::string>& files) {
    QStringList chosen;
    if (!RunFileDialog(&form_, options, false, chosen)) return false;
    files.clear();
    for (const QString& name : chosen)
        files.push_back(name.toStdString());
    return true;
}

bool TQtShell::SaveFileDialog(TFileDialogOptions& options, std::string& file) {
    QStringList chosen;
    if (!RunFileDialog(&form_, options, true, chosen)) return false;
    file = chosen.first().toStdString();
    return true;
}

bool TQtShell::BrowseForFolder(TBrowseFolderDlg& dialog) {
    return ExecuteBrowseFolder(&form_, dialog);
}

void TQtShell::ShowScanErrors(const std::vector<std::string>& lines) {
    ShowScanErrorDialog(&form_, lines);
}

bool TQtShell::ExecuteSortDialog(TSortOnBox& box) {
    return ExecuteSortOnBox(&form_, box);
}

bool TQtShell::ExecuteSettings(TSettingsBox& box) {
    return ExecuteSettingsBox(&form_, box);
}

void TQtShell::ShowAbout() {
    ShowAboutBox(&form_);
}

void TQtShell::ShowSplash(bool visible) {
    if (visible) {
        if (!splash_) splash_ = CreateSplashBox();
        if (splash_) {
            splash_->show();
            QCoreApplication::processEvents();
        }
    } else {
        splash_.reset();
    }
}

void TQtShell::ShowProgress(TProgressBox& box, bool visible) {
    if (!visible) {
        box.SetChanged({});
        progress_.reset();
        return;
    }
    if (!progress_) progress_ = std::make_unique<TProgressBoxQt>(&form_);
    TProgressBoxQt* dialog = progress_.get();
    box.SetChanged([dialog, &box] { dialog->Redraw(box); });
    dialog->Redraw(box);
    dialog->show();
}

namespace {

// A status text shown sooner than this after the previous one waits, while busy.
constexpr qint64 kStatusInterval = 40;  // ms
// While busy, a request to let messages run sooner than this after the last run is passed
// over: a rebuild asks every 16 records, 65,536 times at a million records.
constexpr qint64 kPumpInterval = 25;  // ms

}  // namespace

void TQtShell::SetStatusText(const std::string& text) {
    // A rebuild sets a text per record and a scan one per file; painting each would cost
    // more than the work. While busy, a text that follows the shown one too soon waits for
    // the next message run or the end of the busy state; only the latest one is kept.
    if (busyDepth_ > 0 && statusShown_.isValid() && statusShown_.elapsed() < kStatusInterval) {
        pendingStatus_ = text;
        statusPending_ = true;
        return;
    }
    ShowStatus(text);
}

void TQtShell::ShowStatus(const std::string& text) {
    form_.SetStatusText(ToQ(text));
    statusPending_ = false;
    statusShown_.start();
}

void TQtShell::SetCaption(const std::string& caption) {
    // "[*]" is where Qt shows the modified marker; one written in a file name stays as text.
    form_.setWindowTitle(ToQ(caption).replace("[*]", "[*][*]") + "[*]");
}

void TQtShell::ApplyCommandMask(uint16_t mask) {
    form_.ApplyCommandMask(mask);
}

void TQtShell::SetBusy(bool busy) {
    if (busy) {
        // The first request of a busy stretch always lets messages run.
        if (busyDepth_++ == 0) pumped_.invalidate();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        if (busyDepth_ > 0) --busyDepth_;
        if (statusPending_) ShowStatus(pendingStatus_);
        QApplication::restoreOverrideCursor();
    }
}

void TQtShell::ProcessMessages() {
    if (busyDepth_ > 0 && pumped_.isValid() && pumped_.elapsed() < kPumpInterval) return;
    if (statusPending_ && statusShown_.elapsed() >= kStatusInterval) ShowStatus(pendingStatus_);
    // Commands that arrive meanwhile are refused by the form while this one runs.
    QCoreApplication::processEvents();
    pumped_.start();
}

void TQtShell::ShowPage(TPage page) {
    form_.ShowPage(page);
}

void TQtShell::ApplyViewPrefs(const TPrefs& prefs) {
    form_.ApplyViewLook(ToQFont(prefs.ListFont), ToQColor(prefs.ListFont.Color),
                        ToQColor(prefs.ListBkColor));
}

int TQtShell::StartProgram(const std::string& name) {
    return platform::StartProgram(name);
}

bool TQtShell::ExecuteSearchDialog(TSearchDialog& dialog) {
    return ExecuteSearchDialogQt(&form_, dialog, *this);
}

bool TQtShell::ExecuteAdvancedSearch(TSearchDialog2& dialog) {
    return ExecuteAdvancedSearchQt(&form_, dialog, *this);
}

bool TQtShell::ExecuteEditDialog(TEditDialog& dialog) {
    return ExecuteEditDialogQt(&form_, dialog);
}

bool TQtShell::ExecuteDuplicatesDialog(TDuplicatesDialog& dialog) {
    return ExecuteDuplicatesDialogQt(&form_, dialog);
}

void TQtShell::ShowSelectForm(std::unique_ptr<TSelectForm> form) {
    ShowSelectFormQt(SelectFormHost(form_), std::move(form));
}

void TQtShell::ShowStatistics(const TStatisticsBox& box) {
    ShowStatisticsBox(&form_, box);
}

bool TQtShell::ExecutePrinterDialog(TPrinterDialog& dialog,
                                    const std::function<void(TPrintCanvas&)>& print) {
    QString destination;
    if (!ExecutePrinterDialogQt(&form_, dialog, print, &destination)) return false;
    // The status line says where the job went: a PDF file, or a printer.
    const bool toFile = destination.startsWith('/');
    form_.SetStatusText(
        ToQ(Format(toFile ? msg::WrittenTo : msg::PrintedTo, destination.toStdString().c_str())));
    return true;
}

bool TQtShell::ExecutePlayerConfig(playback::TExtPlayerDialog& dialog) {
    return playback::ExecutePlayerDialogQt(&form_, dialog);
}

void TQtShell::ShowScanCancel(bool visible) {
    form_.ShowScanCancel(visible);
}

void TQtShell::ShowStopCommand(bool visible) {
    form_.ShowCommand(TCommandId::PlayerStop, visible);
}

}  // namespace tracklore::ui
