#include "ui/browse_folder.h"

#include "ui/shell.h"

namespace tracklore::ui {

bool TBrowseFolderDlg::Execute(TShell& shell) {
    return shell.BrowseForFolder(*this);
}

std::string ChosenFolderName(const std::string& path) {
    const bool driveRoot =
        path.size() == 3 && path[1] == ':' && path[2] == '\\' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (driveRoot || path == "/") return path;
    std::string name = path;
    // Only one trailing separator is removed, as the chooser returns at most one.
    if (!name.empty() && (name.back() == '/' || name.back() == '\\')) name.pop_back();
    return name;
}

}  // namespace tracklore::ui
