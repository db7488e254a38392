// Keyboard use of the main window beyond the command table: row keys in the list views.
// (Mnemonics for menu items without one: AddMnemonics in ui/dialog_util_qt.h.)
#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;

namespace tracklore::ui {

/// Row keys of a list view: Home and End go to the first and last row (not column), Enter
/// and Return call `edit` (as a double click does), Delete calls `remove`.
class TListKeys : public QObject {
public:
    TListKeys(QAbstractItemView& view, std::function<void()> edit, std::function<void()> remove);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GoToRow(int row, Qt::KeyboardModifiers modifiers);

    QAbstractItemView& view_;
    std::function<void()> edit_;
    std::function<void()> remove_;
};

}  // namespace tracklore::ui
