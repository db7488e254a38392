// Building the menus, tool bar and pop-up menu from the command table, and their shortcuts.
#include "ui/command_controls_qt.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <cstring>
#include <map>

namespace tracklore::ui {

namespace {

constexpr char kExportMenuName[] = "M_FileExport";

// The picture of a tool button: a freedesktop icon name and the style's own picture.
struct TToolPicture {
    TCommandId Command;
    const char* ThemeName;
    QStyle::StandardPixmap Fallback;
};

constexpr TToolPicture kToolPictures[] = {
    {TCommandId::FileNew, "document-new", QStyle::SP_FileIcon},
    {TCommandId::FileOpen, "document-open", QStyle::SP_DialogOpenButton},
    {TCommandId::FileSave, "document-save", QStyle::SP_DialogSaveButton},
    // The closed folder: some styles draw the open one at 16 pixels only, too small beside
    // the other buttons.
    {TCommandId::AddDir, "folder-new", QStyle::SP_DirIcon},
    {TCommandId::Search, "edit-find", QStyle::SP_FileDialogContentsView},
    {TCommandId::ItemDelete, "edit-delete", QStyle::SP_TrashIcon},
    {TCommandId::ItemEdit, "document-edit", QStyle::SP_FileDialogDetailedView},
};

// The desktop's icon theme first, so the buttons match the other programs; the style's own
// pictures where the theme has none.
QIcon ToolIcon(const QWidget& form, TCommandId command) {
    for (const TToolPicture& picture : kToolPictures) {
        if (picture.Command == command)
            return QIcon::fromTheme(picture.ThemeName,
                                    form.style()->standardIcon(picture.Fallback));
    }
    return form.style()->standardIcon(QStyle::SP_FileIcon);
}

QAction* MakeAction(QObject* owner, const TControl& control,
                    const std::function<void(TCommandId)>& run) {
    auto* action = new QAction(QString::fromUtf8(control.Caption), owner);
    action->setObjectName(QString::fromUtf8(control.Name));
    if (*control.Shortcut != '\0') {
        action->setShortcut(QKeySequence(QString::fromUtf8(control.Shortcut)));
        // Shortcuts reach the window from any child, the views included.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setStatusTip(QString::fromUtf8(control.Hint));
    if (*control.ToolTip != '\0') action->setToolTip(QString::fromUtf8(control.ToolTip));
    const TCommandId command = control.Command;
    QObject::connect(action, &QAction::triggered, owner, [run, command] { run(command); });
    return action;
}

}  // namespace

void TCommandControls::ApplyMask(uint16_t mask) const {
    for (const auto& [control, action] : Actions)
        action->setEnabled(!control->AlwaysDisabled && IsEnabled(*control, mask));
}

void TCommandControls::ShowCommand(TCommandId command, bool visible) const {
    for (const auto& [control, action] : Actions)
        if (control->Command == command) action->setVisible(visible);
}

TCommandControls BuildCommandControls(QMainWindow& form,
                                      const std::function<void(TCommandId)>& run) {
    TCommandControls made;
    const std::span<const char* const> captions = MenuCaptions();
    std::map<TControlPlace, QMenu*> menus;
    const TControlPlace menuPlaces[] = {TControlPlace::FileMenu,  TControlPlace::ItemsMenu,
                                        TControlPlace::ListMenu,  TControlPlace::ViewMenu,
                                        TControlPlace::ToolsMenu, TControlPlace::HelpMenu};
    for (size_t i = 0; i < std::size(menuPlaces) && i < captions.size(); ++i) {
        QMenu* menu = form.menuBar()->addMenu(QString::fromUtf8(captions[i]));
        menu->setObjectName(QString::fromUtf8(captions[i]).remove('&') + "Menu");
        menus[menuPlaces[i]] = menu;
    }

    made.Popup = new QMenu(&form);
    made.Popup->setObjectName("PopupMenu");
    made.ToolBar = form.addToolBar(QString());
    made.ToolBar->setObjectName("ToolBar");
    made.ToolBar->setMovable(false);
    made.ToolBar->setFloatable(false);
    made.ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    made.ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);

    // The Export sub-menu hangs in the File menu: where the table lists an "Export" entry,
    // or else before its first item.
    QMenu* exportMenu = nullptr;
    auto ensureExportMenu = [&](const TControl* entry) {
        if (exportMenu != nullptr) return;
        QMenu* file = menus[TControlPlace::FileMenu];
        exportMenu = file->addMenu(entry ? QString::fromUtf8(entry->Caption) : "Export");
        exportMenu->setObjectName(kExportMenuName);
        QAction* action = exportMenu->menuAction();
        action->setObjectName(kExportMenuName);
        if (entry != nullptr) {
            action->setStatusTip(QString::fromUtf8(entry->Hint));
            made.Actions.emplace_back(entry, action);
        }
    };

    for (const TControl& control : Controls()) {
        if (control.Place == TControlPlace::FileMenu &&
            std::strcmp(control.Name, kExportMenuName) == 0) {
            if (control.SeparatorBefore) menus[control.Place]->addSeparator();
            ensureExportMenu(&control);
            continue;
        }
        QAction* action = MakeAction(&form, control, run);
        made.Actions.emplace_back(&control, action);
        switch (control.Place) {
            case TControlPlace::ExportMenu:
                ensureExportMenu(nullptr);
                if (control.SeparatorBefore) exportMenu->addSeparator();
                exportMenu->addAction(action);
                break;
            case TControlPlace::PopupMenu:
                if (control.SeparatorBefore) made.Popup->addSeparator();
                made.Popup->addAction(action);
                if (control.Command == TCommandId::ItemEdit) made.Popup->setDefaultAction(action);
                break;
            case TControlPlace::ToolBar: {
                if (control.SeparatorBefore) made.ToolBar->addSeparator();
                action->setIcon(ToolIcon(form, control.Command));
                // Qt's derived icon text drops a trailing "...": "Scan Dir..." keeps it.
                action->setIconText(QString::fromUtf8(control.Caption));
                made.ToolBar->addAction(action);
                if (QWidget* button = made.ToolBar->widgetForAction(action))
                    button->setObjectName(QString::fromUtf8(control.Name));
                break;
            }
            default: {
                QMenu* menu = menus[control.Place];
                if (menu == nullptr) break;
                if (control.SeparatorBefore) menu->addSeparator();
                menu->addAction(action);
                // The window owns the action, so its shortcut works while the menu is shut.
                form.addAction(action);
                break;
            }
        }
    }
    return made;
}

}  // namespace tracklore::ui
