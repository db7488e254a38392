// The main window's menus, tool bar and pop-up menu, built from the command table: one
// QAction per control, named after the control, each running its command when triggered.
#pragma once

#include <QList>
#include <functional>
#include <utility>
#include <vector>

#include "ui/command_table.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace tracklore::ui {

/// What the builder made: every control's action (for the command mask), the pop-up menu
/// and the tool bar.
struct TCommandControls {
    std::vector<std::pair<const TControl*, QAction*>> Actions;
    QMenu* Popup = nullptr;
    QToolBar* ToolBar = nullptr;

    /// Enables every control by `mask`; the always-disabled ones stay off.
    void ApplyMask(uint16_t mask) const;
    /// Shows or hides the controls of `command`; a hidden action's shortcut does nothing.
    void ShowCommand(TCommandId command, bool visible) const;
};

/// Adds the menu bar, the tool bar and the pop-up menu to `form`; `run` is called with the
/// control's command when one is triggered.
TCommandControls BuildCommandControls(QMainWindow& form,
                                      const std::function<void(TCommandId)>& run);

}  // namespace tracklore::ui
