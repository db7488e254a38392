// The folder chooser (TBrowseFolderDlg): its properties and the rule for the chosen path.
#pragma once

#include <string>

namespace tracklore::ui {

class TShell;

enum class TBrowseKind { bkDesktop, bkMyComputer, bkComputers };
enum class TDialogPosition { dpDefault, dpScreenCenter };

struct TBrowseFolderDlg {
    TBrowseKind BrowseKind = TBrowseKind::bkMyComputer;
    std::string DialogText;
    std::string FolderName;  // preset folder, and the chosen one afterwards
    int HelpContext = 0;
    TDialogPosition Position = TDialogPosition::dpScreenCenter;

    /// Runs the shell's folder chooser; on OK FolderName holds the chosen folder (cut with
    /// ChosenFolderName) and true is returned.
    bool Execute(TShell& shell);
};

/// The chosen path without a trailing separator, except a root that needs it: "/" and, in
/// the Windows form, a drive root "X:\" (letter A to Z, colon, backslash).
std::string ChosenFolderName(const std::string& path);

}  // namespace tracklore::ui
