// The main window's Print command: the page title and the set (all or selected) to print.
#include <filesystem>

#include "core/messages.h"
#include "ui/main_window.h"
#include "ui/printer_dialog.h"

namespace tracklore::ui {

void TMainWindow::PrintCommand() {
    const std::string name = std::filesystem::path(currentFile_).filename().string();
    catalogue_->SetPrintTitle(name);
    if (selectedSet_) selectedSet_->SetPrintTitle(name + msg::PrintSelectedSuffix);

    if (activePage_ != TPage::Selected) {
        PrintSet(*catalogue_);
    } else if (!selectedSet_) {
        shell_.MessageBox(msg::NothingToPrint, kAppTitle, TMsgKind::Plain, mbOK);
    } else {
        PrintSet(*selectedSet_);
    }
}

void TMainWindow::PrintSet(TTracklore& set) {
    // Every print starts from the dialog's initial choices.
    TPrinterDialog dialog;
    const uint16_t mask = mask_;
    SetCommandMask(0);
    try {
        dialog.Execute(shell_, set);
    } catch (...) {
        SetCommandMask(mask);
        throw;
    }
    SetCommandMask(mask);
}

}  // namespace tracklore::ui
