// The File menu's "Open Recent" sub-menu, filled each time it opens.
#include "ui/recent_files_qt.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

#include "core/messages.h"

namespace tracklore::ui {

QMenu* AddRecentFilesMenu(QMenu& fileMenu, QAction* before, QAction* openAction,
                          std::vector<std::string>& files,
                          const std::function<void(const std::string&)>& open) {
    auto* menu = new QMenu(QString::fromUtf8(msg::RecentFilesMenu), &fileMenu);
    menu->setObjectName("M_FileRecent");
    menu->menuAction()->setObjectName("M_FileRecent");
    menu->setIcon(QIcon::fromTheme("document-open-recent"));
    fileMenu.insertMenu(before, menu);
    if (openAction != nullptr) {
        // Opening a recent file is opening: off whenever Open is.
        menu->menuAction()->setEnabled(openAction->isEnabled());
        QObject::connect(openAction, &QAction::enabledChanged, menu->menuAction(),
                         &QAction::setEnabled);
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, &files, open] {
        menu->clear();
        for (size_t i = 0; i < files.size(); ++i) {
            // "&" in a path is text, not a mnemonic.
            const QString path = QString::fromStdString(files[i]);
            QString text = QString(path).replace('&', "&&");
            if (i < 9) text = QString("&%1 ").arg(i + 1) + text;
            QAction* entry = menu->addAction(text);
            entry->setObjectName(QString("M_Recent%1").arg(i + 1));
            entry->setStatusTip(path);
            const std::string file = files[i];
            // Queued: the menu is closed before the command (and its dialogs) runs.
            QObject::connect(
                entry, &QAction::triggered, menu, [open, file] { open(file); },
                Qt::QueuedConnection);
        }
        if (!files.empty()) menu->addSeparator();
        QAction* clear = menu->addAction(QString::fromUtf8(msg::ClearRecentFiles));
        clear->setObjectName("M_RecentClear");
        clear->setEnabled(!files.empty());
        QObject::connect(clear, &QAction::triggered, menu, [&files] { files.clear(); });
    });
    return menu;
}

}  // namespace tracklore::ui
