// The scripted shell: records what the core shows and answers dialogs from scripts.
#include "tests/support/scripted_shell.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/progress_box.h"
#include "playback/player_dialog.h"
#include "search/edit_dialog.h"
#include "search/search_dialogs.h"
#include "search/select_form.h"
#include "ui/browse_folder.h"
#include "ui/print_canvas.h"
#include "ui/printer_dialog.h"
#include "ui/settings_dialog.h"
#include "ui/sort_dialog.h"
#include "ui/statistics.h"

namespace tracklore::test {

using ui::TModalResult;

TModalResult TScriptedShell::MessageBox(const std::string& text, const std::string& caption,
                                        ui::TMsgKind kind, unsigned buttons) {
    Messages.push_back({text, caption, kind, buttons});
    if (OnMessageBox) OnMessageBox(Messages.back());
    if (MessageAnswers.empty()) {
        // A box with only an OK button needs no scripted answer.
        if (buttons == ui::mbOK) return TModalResult::OK;
        ADD_FAILURE() << "unexpected message box: " << text;
        return TModalResult::Cancel;
    }
    TModalResult answer = MessageAnswers.front();
    MessageAnswers.pop_front();
    return answer;
}

bool TScriptedShell::OpenFileDialog(ui::TFileDialogOptions& options,
                                    std::vector<std::string>& files) {
    OpenDialogs.push_back(options);
    if (OpenAnswers.empty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return false;
    }
    FileAnswer answer = OpenAnswers.front();
    OpenAnswers.pop_front();
    if (!answer) return false;
    files = *answer;
    return true;
}

bool TScriptedShell::SaveFileDialog(ui::TFileDialogOptions& options, std::string& file) {
    SaveDialogs.push_back(options);
    if (SaveAnswers.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return false;
    }
    std::optional<std::string> answer = SaveAnswers.front();
    SaveAnswers.pop_front();
    if (!answer) return false;
    file = *answer;
    return true;
}

bool TScriptedShell::BrowseForFolder(ui::TBrowseFolderDlg& dialog) {
    FolderDialogs.push_back(dialog);
    if (FolderAnswers.empty()) {
        ADD_FAILURE() << "unexpected folder chooser";
        return false;
    }
    std::optional<std::string> answer = FolderAnswers.front();
    FolderAnswers.pop_front();
    if (!answer) return false;
    dialog.FolderName = ui::ChosenFolderName(*answer);
    return true;
}

void TScriptedShell::ShowScanErrors(const std::vector<std::string>& lines) {
    ScanErrorDialogs.push_back(lines);
}

bool TScriptedShell::ExecuteSortDialog(ui::TSortOnBox& box) {
    SortDialogs.push_back(box.CB_Sortmode);
    if (SortAnswers.empty()) {
        ADD_FAILURE() << "unexpected sort dialog";
        return false;
    }
    std::optional<int> answer = SortAnswers.front();
    SortAnswers.pop_front();
    if (!answer) return false;
    // Only the drop-down changes, as in the real dialog: the box maps it to its key.
    box.CB_Sortmode = *answer;
    return true;
}

bool TScriptedShell::ExecuteSettings(ui::TSettingsBox& box) {
    if (SettingsAnswers.empty()) {
        ADD_FAILURE() << "unexpected settings dialog";
        return false;
    }
    auto answer = std::move(SettingsAnswers.front());
    SettingsAnswers.pop_front();
    return answer(box);
}

void TScriptedShell::ShowProgress(ui::TProgressBox& box, bool visible) {
    ProgressVisible = visible;
    if (!visible) {
        box.SetChanged({});
        return;
    }
    ++ProgressShown;
    ProgressJobs.push_back(box.JobDesc());
    box.SetChanged([this, &box] { ProgressValues.push_back(box.Progress()); });
}

void TScriptedShell::SetStatusText(const std::string& text) {
    Status = text;
    StatusTexts.push_back(text);
}

void TScriptedShell::SetBusy(bool busy) {
    BusyDepth += busy ? 1 : -1;
    EXPECT_GE(BusyDepth, 0) << "hour-glass restored more often than set";
    MaxBusyDepth = std::max(MaxBusyDepth, BusyDepth);
}

void TScriptedShell::ProcessMessages() {
    ++ProcessMessagesCalls;
    if (OnProcessMessages) OnProcessMessages();
}

std::vector<std::string> TScriptedShell::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : Messages)
        texts.push_back(message.Text);
    return texts;
}

TScriptedShell::TScriptedShell() = default;
TScriptedShell::~TScriptedShell() = default;

template <class Model>
bool TScriptedShell::Answer(DialogAnswers<Model>& answers, Model& model, const char* what) {
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return false;
    }
    auto answer = std::move(answers.front());
    answers.pop_front();
    return answer(model);
}

bool TScriptedShell::ExecuteSearchDialog(TSearchDialog& dialog) {
    // An answer of true presses OK; a refused OK keeps the dialog, as the user left it, for
    // the next answer.
    while (Answer(SearchAnswers, dialog, "search dialog")) {
        if (dialog.OKBtnClick(*this)) return true;
    }
    return false;
}

bool TScriptedShell::ExecuteAdvancedSearch(TSearchDialog2& dialog) {
    return Answer(AdvancedSearchAnswers, dialog, "advanced search dialog");
}

bool TScriptedShell::ExecuteEditDialog(TEditDialog& dialog) {
    return Answer(EditAnswers, dialog, "edit dialog");
}

bool TScriptedShell::ExecuteDuplicatesDialog(TDuplicatesDialog& dialog) {
    return Answer(DuplicatesAnswers, dialog, "duplicates dialog");
}

void TScriptedShell::ShowSelectForm(std::unique_ptr<TSelectForm> form) {
    SelectForms.push_back(std::move(form));
}

void TScriptedShell::ShowStatistics(const ui::TStatisticsBox& box) {
    ++StatisticsShown;
    if (OnStatistics) OnStatistics(box);
}

bool TScriptedShell::ExecutePrinterDialog(ui::TPrinterDialog& dialog,
                                          const std::function<void(ui::TPrintCanvas&)>& print) {
    if (PrinterAnswers.empty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    }
    auto answer = std::move(PrinterAnswers.front());
    PrinterAnswers.pop_front();
    return answer(dialog, print);
}

bool TScriptedShell::ExecutePlayerConfig(playback::TExtPlayerDialog& dialog) {
    return Answer(PlayerConfigAnswers, dialog, "player dialog");
}

}  // namespace tracklore::test
