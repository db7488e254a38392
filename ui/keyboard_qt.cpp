// Row keys of the list views: Home and End by rows, Enter to edit, Delete to delete.
#include "ui/keyboard_qt.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace tracklore::ui {

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
