// The File menu's "Open Recent" sub-menu over the preferences' recent files.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace tracklore::ui {

/// Adds the sub-menu to `fileMenu` before `before`, enabled as `openAction` is. Its entries
/// ("&1 /path/file.tracklore"...) are made from `files` each time it opens; choosing one
/// calls `open` with its path, "Clear List" empties `files`.
QMenu* AddRecentFilesMenu(QMenu& fileMenu, QAction* before, QAction* openAction,
                          std::vector<std::string>& files,
                          const std::function<void(const std::string&)>& open);

}  // namespace tracklore::ui
