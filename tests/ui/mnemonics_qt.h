// Checks the mnemonics of a dialog the way a keyboard user meets them: every label
// that names a widget has one, and no letter is used twice.
#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/dialog_util_qt.h"

namespace tracklore::test {

/// What is wrong with the mnemonics of `window`: a label with a buddy but no mnemonic, or a
/// letter that two of its labels, buttons and group boxes share. Empty when all is well.
inline QStringList MnemonicFaults(const QWidget& window) {
    QStringList faults;
    QMap<QChar, QString> owners;  // letter -> the text that uses it
    const auto take = [&](const QString& text) {
        const QChar letter = ui::MnemonicOf(text);
        if (letter.isNull()) return;
        if (owners.contains(letter))
            faults << QString("'%1' in \"%2\" and \"%3\"").arg(letter).arg(owners[letter], text);
        else
            owners.insert(letter, text);
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->buddy() == nullptr) continue;
        if (ui::MnemonicOf(label->text()).isNull())
            faults << QString("no mnemonic in \"%1\"").arg(label->text());
        take(label->text());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        take(button->text());
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        take(group->title());
    return faults;
}

}  // namespace tracklore::test
