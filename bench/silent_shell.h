// A shell for benchmarks: no window, every call does nothing and every dialog is cancelled.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/shell.h"
#include "search/select_form.h"

namespace tracklore::bench {

// A shell with no window: every call does nothing.
class TSilentShell : public ui::TShell {
public:
    ui::TModalResult MessageBox(const std::string&, const std::string&, ui::TMsgKind,
                                unsigned) override {
        return ui::TModalResult::Cancel;
    }
    bool OpenFileDialog(ui::TFileDialogOptions&, std::vector<std::string>&) override {
        return false;
    }
    bool SaveFileDialog(ui::TFileDialogOptions&, std::string&) override { return false; }
    bool BrowseForFolder(ui::TBrowseFolderDlg&) override { return false; }
    void ShowScanErrors(const std::vector<std::string>&) override {}
    bool ExecuteSortDialog(ui::TSortOnBox&) override { return false; }
    bool ExecuteSettings(ui::TSettingsBox&) override { return false; }
    void ShowAbout() override {}
    void ShowSplash(bool) override {}
    void ShowProgress(ui::TProgressBox&, bool) override {}
    void SetStatusText(const std::string&) override {}
    void SetCaption(const std::string&) override {}
    void ApplyCommandMask(uint16_t) override {}
    void SetBusy(bool) override {}
    void ProcessMessages() override {}
    void ShowPage(ui::TPage) override {}
    void ApplyViewPrefs(const ui::TPrefs&) override {}
    int StartProgram(const std::string&) override { return 0; }
    bool ExecuteSearchDialog(TSearchDialog&) override { return false; }
    bool ExecuteAdvancedSearch(TSearchDialog2&) override { return false; }
    bool ExecuteEditDialog(TEditDialog&) override { return false; }
    bool ExecuteDuplicatesDialog(TDuplicatesDialog&) override { return false; }
    void ShowSelectForm(std::unique_ptr<TSelectForm>) override {}
    void ShowStatistics(const ui::TStatisticsBox&) override {}
    bool ExecutePrinterDialog(ui::TPrinterDialog&,
                              const std::function<void(ui::TPrintCanvas&)>&) override {
        return false;
    }
    bool ExecutePlayerConfig(playback::TExtPlayerDialog&) override { return false; }
    void ShowScanCancel(bool) override {}
    void ShowStopCommand(bool) override {}
};

}  // namespace tracklore::bench
