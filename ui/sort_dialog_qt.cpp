// The "Sort on..." dialog model, shown as a Qt dialog.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

#include "core/messages.h"
#include "ui/dialog_util_qt.h"
#include "ui/small_dialogs_qt.h"
#include "ui/sort_dialog.h"

namespace tracklore::ui {

bool ExecuteSortOnBox(QWidget* parent, TSortOnBox& box) {
    QDialog dialog(parent, kCloseOnlyDialogFlags);
    dialog.setObjectName("TSortOnBox");
    dialog.setWindowTitle(QString::fromUtf8(msg::SortOnCaption));

    auto* label = new QLabel(WithMnemonic(msg::SortOnLabel, "sort"), &dialog);
    auto* modes = new QComboBox(&dialog);
    modes->setObjectName("CB_Sortmode");
    modes->setEditable(false);
    const auto entries = SortEntries();
    for (const TSortEntry& entry : entries)
        modes->addItem(QString::fromUtf8(entry.Caption));
    const bool presetValid = box.CB_Sortmode >= 0 && box.CB_Sortmode < modes->count();
    modes->setCurrentIndex(presetValid ? box.CB_Sortmode : 0);
    label->setBuddy(modes);

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok =
        buttons->addButton(QString::fromUtf8(msg::OkButton), QDialogButtonBox::AcceptRole);
    ok->setObjectName("B_OK");
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QString::fromUtf8(msg::PlainCancelButton), QDialogButtonBox::RejectRole);
    cancel->setObjectName("B_Cancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    StackFixed(dialog, {label, modes, buttons});

    modes->setFocus();
    CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    const int chosen = modes->currentIndex();
    if (chosen < 0 || chosen >= static_cast<int>(entries.size())) return false;
    box.CB_Sortmode = chosen;
    box.SortKey = entries[static_cast<size_t>(chosen)].Key;
    return true;
}

}  // namespace tracklore::ui
