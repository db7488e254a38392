// Small helpers the Qt files share: UTF-8 texts, mnemonics, window flags of a fixed dialog,
// a column layout of fixed size and screen centring.
#pragma once

#include <QAction>
#include <QGuiApplication>
#include <QList>
#include <QMenu>
#include <QScreen>
#include <QSet>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <initializer_list>
#include <string>

namespace tracklore::ui {

/// A UTF-8 text of the core as a QString (embedded zero bytes included).
inline QString ToQ(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A zero-terminated UTF-8 text (a message or caption of the message table) as a QString.
inline QString ToQ(const char* text) {
    return QString::fromUtf8(text);
}

/// The letter of `text`'s mnemonic (the character after a single '&'; "&&" is a plain
/// ampersand), lower-cased, or a null QChar when the text has none.
inline QChar MnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1].toLower();
        ++i;
    }
    return {};
}

/// A caption of the message table with the mnemonic '&' put before the first `at` in it,
/// so the caption keeps its words; a caption that has a mnemonic already stays as it is.
inline QString WithMnemonic(const char* caption, const char* at) {
    QString text = ToQ(caption);
    if (!MnemonicOf(text).isNull()) return text;
    const qsizetype position = text.indexOf(ToQ(at));
    if (position >= 0) text.insert(position, '&');
    return text;
}

/// Gives every item of `menu` (and of its sub-menus) without a mnemonic the first letter of
/// its caption not yet taken in that menu; the words of the caption stay as they are.
inline void AddMnemonics(QMenu& menu) {
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

/// A dialog frame with a caption and the close button only.
inline constexpr Qt::WindowFlags kCloseOnlyDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
/// A dialog frame with a caption and no title-bar buttons at all.
inline constexpr Qt::WindowFlags kNoButtonsDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

/// Lays `widgets` out one under the other in `dialog`, which takes the size they need and
/// keeps it.
inline void StackFixed(QWidget& dialog, std::initializer_list<QWidget*> widgets) {
    auto* layout = new QVBoxLayout(&dialog);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

/// Sizes `window` to its layout and moves it to the centre of its screen (the primary one
/// when it has none yet), kept inside the screen's available area.
inline void CenterOnScreen(QWidget* window) {
    window->adjustSize();
    QScreen* screen = window->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    // A window larger than the screen keeps its top-left corner on the screen.
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() - frame.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height())));
    window->move(frame.topLeft());
}

}  // namespace tracklore::ui
