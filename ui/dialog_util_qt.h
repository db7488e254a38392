// Small helpers the Qt files share: UTF-8 texts, window flags of a fixed dialog and screen
// centring.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <algorithm>
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

/// A dialog frame with a caption and the close button only.
inline constexpr Qt::WindowFlags kCloseOnlyDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
/// A dialog frame with a caption and no title-bar buttons at all.
inline constexpr Qt::WindowFlags kNoButtonsDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

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
