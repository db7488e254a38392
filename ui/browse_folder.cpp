// The folder chooser model: its properties and the rule for the chosen path.
#include "ui/browse_folder.h"

#include "core/shell.h"

namespace tracklore::ui {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool TBrowseFolderDlg::Execute(TShell& shell) {
    if (!shell.BrowseForFolder(*this)) return false;
    // The shell already cuts the name; cutting again costs nothing and keeps the rule in
    // one place whatever the front end did.
    FolderName = ChosenFolderName(FolderName);
    return true;
}

std::string ChosenFolderName(const std::string& path) {
    std::string name = path;
    while (name.size() > 1 && IsSeparator(name.back()))
        name.pop_back();
    // A drive root needs its backslash: "C:" alone names the drive's current folder.
    if (name.size() == 2 && name[1] == ':' && IsDriveLetter(name[0]) && path.size() > 2 &&
        path[2] == '\\')
        name += '\\';
    return name;
}

}  // namespace tracklore::ui
