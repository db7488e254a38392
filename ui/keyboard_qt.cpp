// Row keys of the list views: Home and End by rows, Enter to edit, Delete to delete.
#include "ui/keyboard_qt.h"

#include <QAbstractItemView>
#include <QAction>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QSet>

namespace tracklore::ui {

namespace {

// The letter after a single "&" of `text`, or a null character when there is none.
QChar MnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;  // "&&" is a written ampersand
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

}  // namespace

void AddMnemonics(QMenu& menu) {
    const QList<QAction*> actions = menu.actions();
    QSet<QChar> taken;
    for (QAction* action : actions)
        if (QChar letter = MnemonicOf(action->text()); !letter.isNull()) taken.insert(letter);
    for (QAction* action : actions) {
        if (action->menu() != nullptr) AddMnemonics(*action->menu());
        QString text = action->text();
        if (action->isSeparator() || text.isEmpty() || !MnemonicOf(text).isNull()) continue;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text[i].toLower();
            if (!letter.isLetterOrNumber() || taken.contains(letter)) continue;
            taken.insert(letter);
            text.insert(i, '&');
            action->setText(text);
            break;
        }
    }
}

TListKeys::TListKeys(QAbstractItemView& view, std::function<void()> edit,
                     std::function<void()> remove)
    : QObject(&view), view_(view), edit_(std::move(edit)), remove_(std::move(remove)) {
    view.installEventFilter(this);
}

bool TListKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
        case Qt::Key_Home: GoToRow(0, modifiers); return true;
        case Qt::Key_End: GoToRow(view_.model()->rowCount() - 1, modifiers); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (modifiers != Qt::NoModifier) return false;
            if (edit_) edit_();
            return true;
        case Qt::Key_Delete:
            if (modifiers != Qt::NoModifier) return false;  // Shift+Del is the menu's
            if (remove_) remove_();
            return true;
        default: return false;
    }
}

void TListKeys::GoToRow(int row, Qt::KeyboardModifiers modifiers) {
    if (row < 0 || view_.model() == nullptr) return;
    const QModelIndex current = view_.currentIndex();
    const QModelIndex target = view_.model()->index(row, current.isValid() ? current.column() : 0);
    QItemSelectionModel* selection = view_.selectionModel();
    if (modifiers & Qt::ShiftModifier) {
        // Extends from the anchor row to the target row, whole rows.
        const QModelIndex anchor = current.isValid() ? current : target;
        selection->select(QItemSelection(anchor, target),
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selection->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    } else {
        selection->setCurrentIndex(target,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    view_.scrollTo(target);
}

}  // namespace tracklore::ui
