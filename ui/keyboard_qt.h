// Keyboard use of the main window beyond the command table: row keys in the list views and
// mnemonics for menu items whose captions have none.
#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;
class QMenu;

namespace tracklore::ui {

/// Gives every item of `menu` (and of its sub-menus) without a mnemonic the first letter of
/// its caption not yet taken in that menu; the words of the caption stay as they are.
void AddMnemonics(QMenu& menu);

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
