// The folder chooser of the Browse dialog model, shown as a Qt file dialog.
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

#include "core/messages.h"
#include "ui/browse_folder.h"
#include "ui/dialog_util_qt.h"
#include "ui/small_dialogs_qt.h"

namespace tracklore::ui {

namespace {

// There is no help file; the button is there because the caller asked for one, and it
// does nothing when pressed.
void AddHelpButton(QFileDialog& dialog) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    if (buttons == nullptr) return;
    QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
    help->setText(QString::fromUtf8(msg::HelpButton));
    help->setObjectName("B_Help");
}

}  // namespace

// Every browse kind chooses a folder: there is no network neighbourhood to pick a
// computer from, so bkComputers behaves like bkMyComputer.
bool ExecuteBrowseFolder(QWidget* parent, TBrowseFolderDlg& browse) {
    QFileDialog dialog(parent);
    dialog.setObjectName("TBrowseFolderDlg");
    // Qt's own dialog, so the chooser behaves the same on every desktop.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!browse.DialogText.empty())
        dialog.setWindowTitle(QString::fromStdString(browse.DialogText));

    const QString preset = QString::fromStdString(browse.FolderName);
    const bool presetExists = !preset.isEmpty() && QFileInfo(preset).isDir();
    dialog.setDirectory(presetExists ? preset : QDir::homePath());
    if (browse.HelpContext != 0) AddHelpButton(dialog);
    if (browse.Position == TDialogPosition::dpScreenCenter) CenterOnScreen(&dialog);

    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    // The dialog accepts only existing folders; a folder removed meanwhile counts as
    // cancelled rather than handing the caller a path that is not there.
    const QFileInfo info(chosen.first());
    if (!info.isDir()) return false;
    browse.FolderName = ChosenFolderName(QDir::toNativeSeparators(chosen.first()).toStdString());
    return true;
}

}  // namespace tracklore::ui
