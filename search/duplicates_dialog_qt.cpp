// The Qt "Find duplicates" dialog: its two rules as check boxes.
#include "search/duplicates_dialog_qt.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

#include "core/messages.h"
#include "search/duplicates_dialog.h"
#include "ui/dialog_util_qt.h"

namespace tracklore {

bool ExecuteDuplicatesDialogQt(QWidget* parent, TDuplicatesDialog& dialog) {
    QDialog form(parent, ui::kCloseOnlyDialogFlags);
    form.setObjectName("DuplicatesDialog");
    form.setWindowTitle(QString::fromUtf8(msg::DuplicatesCaption));

    auto* info = new QLabel(QString::fromUtf8(msg::DuplicatesInfo), &form);
    info->setObjectName("L_Info");
    info->setWordWrap(true);
    auto* artistTitle = new QCheckBox(QString::fromUtf8(msg::DuplicatesArtistTitle), &form);
    artistTitle->setObjectName("CKB_ArtistTitle");
    artistTitle->setChecked(dialog.CKB_ArtistTitle);
    auto* sizeLength = new QCheckBox(QString::fromUtf8(msg::DuplicatesSizeLength), &form);
    sizeLength->setObjectName("CKB_SizeLength");
    sizeLength->setChecked(dialog.CKB_SizeLength);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName("B_OK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("B_Cancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    const auto update = [&] {
        ok->setEnabled(
            TDuplicatesDialog{artistTitle->isChecked(), sizeLength->isChecked()}.CanSearch());
    };
    QObject::connect(artistTitle, &QCheckBox::toggled, &form, update);
    QObject::connect(sizeLength, &QCheckBox::toggled, &form, update);
    update();

    ui::StackFixed(form, {info, artistTitle, sizeLength, buttons});

    if (form.exec() != QDialog::Accepted) return false;
    dialog.CKB_ArtistTitle = artistTitle->isChecked();
    dialog.CKB_SizeLength = sizeLength->isChecked();
    return true;
}

}  // namespace tracklore
