// The small Qt dialogs the shell runs: "Sort on...", the folder chooser, "Errors during
// scan", the About box and the splash window.
#pragma once

#include <memory>
#include <string>
#include <vector>

class QIcon;
class QWidget;

namespace tracklore::ui {

struct TSortOnBox;
struct TBrowseFolderDlg;

/// The "Sort on..." dialog: true on OK with the model's entry and key set.
bool ExecuteSortOnBox(QWidget* parent, TSortOnBox& box);
/// The folder chooser: starts at FolderName when it exists; on OK FolderName is the chosen
/// folder cut by ChosenFolderName, and true is returned.
bool ExecuteBrowseFolder(QWidget* parent, TBrowseFolderDlg& dialog);
/// The modal "Errors during scan" dialog showing `lines`.
void ShowScanErrorDialog(QWidget* parent, const std::vector<std::string>& lines);
/// The modal About box.
void ShowAboutBox(QWidget* parent);
/// The program's picture as a window icon, drawn in the sizes window managers ask for.
QIcon ProgramIcon();
/// A borderless, stay-on-top, screen-centred picture window (not yet shown).
std::unique_ptr<QWidget> CreateSplashBox();

}  // namespace tracklore::ui
