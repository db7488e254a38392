// A shell for tests: answers message boxes and dialogs from queues the test fills, and
// records everything the core asked of it, so command flows run without a display.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/shell.h"
#include "ui/browse_folder.h"

namespace tracklore::test {

class TScriptedShell : public ui::TShell {
public:
    /// One message box the core showed.
    struct Message {
        std::string Text;
        std::string Caption;
        ui::TMsgKind Kind;
        unsigned Buttons;
    };
    /// An answer for a file dialog: nullopt cancels.
    using FileAnswer = std::optional<std::vector<std::string>>;

    // Answers, used front first. A message box without a queued answer fails the test and
    // returns Cancel; so does a dialog without one (it is cancelled).
    std::deque<ui::TModalResult> MessageAnswers;
    std::deque<FileAnswer> OpenAnswers;
    std::deque<std::optional<std::string>> SaveAnswers;
    std::deque<std::optional<std::string>> FolderAnswers;  // raw path the user picked
    /// Sort dialog: the entry picked (an index into SortEntries(), as the drop-down sets it);
    /// nullopt cancels.
    std::deque<std::optional<int>> SortAnswers;
    /// Settings dialog: called with the preset model; returns true for OK (after changing
    /// the model as the user would).
    std::deque<std::function<bool(ui::TSettingsBox&)>> SettingsAnswers;
    /// Called on every ProcessMessages (a test may act "while" a long command runs).
    std::function<void()> OnProcessMessages;
    /// Called when a message box opens, before it is answered (a test may look at the
    /// window's state while the box is up).
    std::function<void(const Message&)> OnMessageBox;

    // What the core did.
    std::vector<Message> Messages;
    std::vector<ui::TFileDialogOptions> OpenDialogs;
    std::vector<ui::TFileDialogOptions> SaveDialogs;
    std::vector<ui::TBrowseFolderDlg> FolderDialogs;  // as presented (before the answer)
    std::vector<int> SortDialogs;                     // the entry each sort dialog opened with
    std::vector<std::vector<std::string>> ScanErrorDialogs;
    std::vector<std::string> StatusTexts;  // every text set, in order
    std::string Status;
    std::string Caption;
    std::vector<uint16_t> Masks;  // every mask applied, in order
    int BusyDepth = 0;
    int MaxBusyDepth = 0;
    int ProcessMessagesCalls = 0;
    std::vector<ui::TPage> PagesShown;
    int ViewPrefsApplied = 0;
    int AboutShown = 0;
    std::vector<bool> SplashStates;
    std::vector<std::string> ProgramsStarted;
    /// What StartProgram returns: 0 (started) or a system error code.
    int ProgramStartError = 0;
    int ProgressShown = 0;  // ShowProgress(box, true) calls
    bool ProgressVisible = false;
    std::vector<std::string> ProgressJobs;  // the job text of each box shown
    std::vector<int> ProgressValues;        // the bar after every change of a shown box

    // Dialogs over models: each answer is called with the preset model and returns true
    // for OK (after changing the model as the user would). A dialog without a queued answer
    // fails the test and is cancelled. The search dialog's OK is checked as its button
    // checks it: when refused, the next answer goes on with the same dialog.
    template <class Model>
    using DialogAnswers = std::deque<std::function<bool(Model&)>>;
    DialogAnswers<TSearchDialog> SearchAnswers;
    DialogAnswers<TSearchDialog2> AdvancedSearchAnswers;
    DialogAnswers<TEditDialog> EditAnswers;
    DialogAnswers<TDuplicatesDialog> DuplicatesAnswers;
    DialogAnswers<playback::TExtPlayerDialog> PlayerConfigAnswers;
    /// The print dialog: the answer may also call the print function with a canvas.
    std::deque<
        std::function<bool(ui::TPrinterDialog&, const std::function<void(ui::TPrintCanvas&)>&)>>
        PrinterAnswers;
    /// Called with each result window opened; the windows are kept in SelectForms.
    std::vector<std::unique_ptr<TSelectForm>> SelectForms;
    /// Called with each statistics dialog shown.
    std::function<void(const ui::TStatisticsBox&)> OnStatistics;
    int StatisticsShown = 0;
    std::vector<bool> ScanCancelStates;
    bool StopCommandShown = false;  // as Tools > Stop was last shown or hidden

    ui::TModalResult MessageBox(const std::string& text, const std::string& caption,
                                ui::TMsgKind kind, unsigned buttons) override;
    bool OpenFileDialog(ui::TFileDialogOptions& options, std::vector<std::string>& files) override;
    bool SaveFileDialog(ui::TFileDialogOptions& options, std::string& file) override;
    bool BrowseForFolder(ui::TBrowseFolderDlg& dialog) override;
    void ShowScanErrors(const std::vector<std::string>& lines) override;
    bool ExecuteSortDialog(ui::TSortOnBox& box) override;
    bool ExecuteSettings(ui::TSettingsBox& box) override;
    void ShowAbout() override { ++AboutShown; }
    void ShowSplash(bool visible) override { SplashStates.push_back(visible); }
    void ShowProgress(ui::TProgressBox& box, bool visible) override;
    void SetStatusText(const std::string& text) override;
    void SetCaption(const std::string& caption) override { Caption = caption; }
    void ApplyCommandMask(uint16_t mask) override { Masks.push_back(mask); }
    void SetBusy(bool busy) override;
    void ProcessMessages() override;
    void ShowPage(ui::TPage page) override { PagesShown.push_back(page); }
    void ApplyViewPrefs(const ui::TPrefs&) override { ++ViewPrefsApplied; }
    int StartProgram(const std::string& name) override {
        ProgramsStarted.push_back(name);
        return ProgramStartError;
    }
    bool ExecuteSearchDialog(TSearchDialog& dialog) override;
    bool ExecuteAdvancedSearch(TSearchDialog2& dialog) override;
    bool ExecuteEditDialog(TEditDialog& dialog) override;
    bool ExecuteDuplicatesDialog(TDuplicatesDialog& dialog) override;
    void ShowSelectForm(std::unique_ptr<TSelectForm> form) override;
    void ShowStatistics(const ui::TStatisticsBox& box) override;
    bool ExecutePrinterDialog(ui::TPrinterDialog& dialog,
                              const std::function<void(ui::TPrintCanvas&)>& print) override;
    bool ExecutePlayerConfig(playback::TExtPlayerDialog& dialog) override;
    void ShowScanCancel(bool visible) override { ScanCancelStates.push_back(visible); }
    void ShowStopCommand(bool visible) override { StopCommandShown = visible; }

    /// Texts of the messages shown so far.
    std::vector<std::string> MessageTexts() const;

    TScriptedShell();
    ~TScriptedShell() override;

private:
    template <class Model>
    static bool Answer(DialogAnswers<Model>& answers, Model& model, const char* what);
};

}  // namespace tracklore::test
