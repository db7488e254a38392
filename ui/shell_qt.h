// The shell of the desktop application: message boxes, file and folder dialogs, the small
// dialogs, the status line, caption, command mask and hour-glass, over the main form.
#pragma once

#include <QElapsedTimer>
#include <memory>

#include "core/shell.h"

class QWidget;

namespace tracklore {
struct TSelectFormHost;
}

namespace tracklore::ui {

class TMainForm;
class TProgressBoxQt;

/// "Description (pattern)" as a file dialog shows it; a description that already carries
/// its own parenthesis ("All Files (*.*)") gets the real patterns inside it, since Qt
/// filters by them. Patterns separated by ";" are separated by spaces for Qt.
std::string FileFilterText(const std::string& description, const std::string& patterns);

/// What a result window needs of the main form: the form as its owner, the rows of its
/// lists, and the main window's Save, Print and "Search within" on the rows shown, each run
/// as a command (refused while another one runs).
TSelectFormHost SelectFormHost(TMainForm& form);

class TQtShell : public TShell {
public:
    explicit TQtShell(TMainForm& form);
    ~TQtShell() override;

    TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgKind kind,
                            unsigned buttons) override;
    bool OpenFileDialog(TFileDialogOptions& options, std::vector<std::string>& files) override;
    bool SaveFileDialog(TFileDialogOptions& options, std::string& file) override;
    bool BrowseForFolder(TBrowseFolderDlg& dialog) override;
    void ShowScanErrors(const std::vector<std::string>& lines) override;
    bool ExecuteSortDialog(TSortOnBox& box) override;
    bool ExecuteSettings(TSettingsBox& box) override;
    void ShowAbout() override;
    void ShowSplash(bool visible) override;
    void ShowProgress(TProgressBox& box, bool visible) override;

    void SetStatusText(const std::string& text) override;
    void SetCaption(const std::string& caption) override;
    void ApplyCommandMask(uint16_t mask) override;
    void SetBusy(bool busy) override;
    void ProcessMessages() override;
    void ShowPage(TPage page) override;
    void ApplyViewPrefs(const TPrefs& prefs) override;
    int StartProgram(const std::string& name) override;

    bool ExecuteSearchDialog(TSearchDialog& dialog) override;
    bool ExecuteAdvancedSearch(TSearchDialog2& dialog) override;
    bool ExecuteEditDialog(TEditDialog& dialog) override;
    bool ExecuteDuplicatesDialog(TDuplicatesDialog& dialog) override;
    void ShowSelectForm(std::unique_ptr<TSelectForm> form) override;
    void ShowStatistics(const TStatisticsBox& box) override;
    bool ExecutePrinterDialog(TPrinterDialog& dialog,
                              const std::function<void(TPrintCanvas&)>& print) override;
    bool ExecutePlayerConfig(playback::TExtPlayerDialog& dialog) override;
    void ShowScanCancel(bool visible) override;
    void ShowStopCommand(bool visible) override;

private:
    void ShowStatus(const std::string& text);

    TMainForm& form_;
    // While busy, status texts that come faster than the screen can show wait here.
    int busyDepth_ = 0;
    std::string pendingStatus_;
    bool statusPending_ = false;
    QElapsedTimer statusShown_;
    // While busy, messages run at most this often; invalid: the next request runs them.
    QElapsedTimer pumped_;
    std::unique_ptr<QWidget> splash_;
    std::unique_ptr<TProgressBoxQt> progress_;
};

}  // namespace tracklore::ui
