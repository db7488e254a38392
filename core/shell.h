// The shell: every window interaction of the core goes through this interface. The desktop
// application implements it with Qt (ui/shell_qt.h); tests script it answer by answer
// (tests/support/scripted_shell.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tracklore {
class TTracklore;
struct TSearchDialog;
struct TSearchDialog2;
struct TDuplicatesDialog;
struct TEditDialog;
class TSelectForm;
}  // namespace tracklore

namespace tracklore::playback {
struct TExtPlayerDialog;
}  // namespace tracklore::playback

namespace tracklore::ui {

struct TPrefs;
struct TStatisticsBox;
struct TPrinterDialog;
class TPrintCanvas;
struct TSettingsBox;
struct TSortOnBox;
struct TBrowseFolderDlg;
class TProgressBox;

/// The icon and sound of a message box.
enum class TMsgKind { Plain, Information, Warning, Error, Confirmation };

/// Buttons of a message box, combined with |.
enum TMsgButton : unsigned {
    mbOK = 1u << 0,
    mbCancel = 1u << 1,
    mbYes = 1u << 2,
    mbNo = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
};

/// How a dialog or message box was closed.
enum class TModalResult { None, OK, Cancel, Yes, No, Abort, Retry, Ignore };

/// The pages of the main window's page control, in tab order.
enum class TPage { List = 0, Tree = 1, Selected = 2, Volumes = 3 };

/// Options of an open or save dialog. `Filters` pairs a description with its patterns
/// ("CSV-files", "*.csv"); `FilterIndex` is 1-based as the user sees the list.
struct TFileDialogOptions {
    std::string Title;
    std::vector<std::pair<std::string, std::string>> Filters;
    int FilterIndex = 1;
    std::string DefaultExt;  // without the dot: "tracklore"
    std::string InitialDir;
    std::string FileName;
    bool MultiSelect = false;
    bool MustExist = false;  // path and file must exist (open dialogs)
};

class TShell {
public:
    virtual ~TShell() = default;

    /// Shows `text` in a modal message box captioned `caption` and returns the button chosen
    /// (Cancel when the box is closed without one).
    virtual TModalResult MessageBox(const std::string& text, const std::string& caption,
                                    TMsgKind kind, unsigned buttons) = 0;
    /// Open dialog: true and the chosen files (in the dialog's order) on OK.
    virtual bool OpenFileDialog(TFileDialogOptions& options, std::vector<std::string>& files) = 0;
    /// Save dialog: true and the chosen file on OK. The dialog does not ask about
    /// overwriting: the command asks itself.
    virtual bool SaveFileDialog(TFileDialogOptions& options, std::string& file) = 0;
    /// The folder chooser: presets from and writes the chosen folder into `dialog.FolderName`
    /// (already cut as TBrowseFolderDlg::Execute wants it); false when cancelled.
    virtual bool BrowseForFolder(TBrowseFolderDlg& dialog) = 0;
    /// The modal "Errors during scan" dialog showing `lines` (the two preset lines included).
    virtual void ShowScanErrors(const std::vector<std::string>& lines) = 0;
    /// The modal "Sort on..." dialog: true on OK (with `box.SortKey` set).
    virtual bool ExecuteSortDialog(TSortOnBox& box) = 0;
    /// The modal "Settings..." dialog over its model: true on OK (model holds the choices).
    virtual bool ExecuteSettings(TSettingsBox& box) = 0;
    /// The modal About box.
    virtual void ShowAbout() = 0;
    /// Shows or hides the splash window shown while a catalogue named at start loads.
    virtual void ShowSplash(bool visible) = 0;
    /// The progress box: shown while `box` is in use; the shell redraws it on every change.
    virtual void ShowProgress(TProgressBox& box, bool visible) = 0;

    /// The one-panel status line.
    virtual void SetStatusText(const std::string& text) = 0;
    /// The main window's caption.
    virtual void SetCaption(const std::string& caption) = 0;
    /// Enables and disables the controls of every bit of the command table by `mask`.
    virtual void ApplyCommandMask(uint16_t mask) = 0;
    /// Sets or restores the hour-glass pointer; calls nest (true pushes, false pops).
    virtual void SetBusy(bool busy) = 0;
    /// Lets the window system deliver pending messages (repaint, input).
    virtual void ProcessMessages() = 0;
    /// Brings a page of the page control to the front.
    virtual void ShowPage(TPage page) = 0;
    /// Applies the list font and background colour to the views.
    virtual void ApplyViewPrefs(const TPrefs& prefs) = 0;
    /// Starts a program by name, detached. 0 when it started, else the system's error code
    /// (ENOENT when there is no such program).
    virtual int StartProgram(const std::string& name) = 0;

    // Search and item dialogs. Each shows its model modally (preset as the model holds it)
    // and returns true on OK with the controls' state written back into the model; on
    // Cancel the model is left as it was.
    virtual bool ExecuteSearchDialog(TSearchDialog& dialog) = 0;
    /// The advanced search dialog; its buttons run the model's handlers ("Test...",
    /// "&Search..." with its "Error parsing" box, the close query).
    virtual bool ExecuteAdvancedSearch(TSearchDialog2& dialog) = 0;
    virtual bool ExecuteEditDialog(TEditDialog& dialog) = 0;
    /// The "Find duplicates" dialog: the rules to apply.
    virtual bool ExecuteDuplicatesDialog(TDuplicatesDialog& dialog) = 0;
    /// Opens one more result window, without blocking, over `form` (the window owns it).
    virtual void ShowSelectForm(std::unique_ptr<TSelectForm> form) = 0;
    /// The modal "Statistics" dialog.
    virtual void ShowStatistics(const TStatisticsBox& box) = 0;

    /// The print dialog over its model. On OK (or from the dialog's preview or PDF choice)
    /// the shell calls `print` with a canvas on the chosen output, as often as that output
    /// asks; true when a job was printed.
    virtual bool ExecutePrinterDialog(TPrinterDialog& dialog,
                                      const std::function<void(TPrintCanvas&)>& print) = 0;

    /// The "Configure External Player" dialog: true on OK with the model's controls read back.
    virtual bool ExecutePlayerConfig(playback::TExtPlayerDialog& dialog) = 0;

    /// Shows or hides the status line's Cancel button of a running folder scan; the button
    /// and Escape call TMainWindow::CancelScan.
    virtual void ShowScanCancel(bool visible) = 0;
    /// Shows or hides Tools > Stop: shown while the bound player plug-in can stop.
    virtual void ShowStopCommand(bool visible) = 0;
};

/// The hour-glass for the life of a scope, restored however the scope ends.
class TBusyScope {
public:
    explicit TBusyScope(TShell& shell) : shell_(shell) { shell_.SetBusy(true); }
    ~TBusyScope() {
        try {
            shell_.SetBusy(false);
        } catch (...) {
            // A destructor never throws; the pointer shape is not worth an abort.
        }
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TShell& shell_;
};

}  // namespace tracklore::ui
