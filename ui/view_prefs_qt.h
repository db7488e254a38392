// Conversions between the preferences' colour and font encoding and Qt's QColor and QFont.
#pragma once

#include <QColor>
#include <QFont>

#include "ui/prefs.h"

namespace tracklore::ui {

/// 0x00BBGGRR, or a system colour (0x80000000 + index) mapped to the palette's role.
QColor ToQColor(int32_t color);
/// The explicit 0x00BBGGRR encoding of `color`.
int32_t FromQColor(const QColor& color);
/// Face, point size and style bits (bold, italic, underline, strike-out).
QFont ToQFont(const TFontDesc& font);
/// The font description of `font` with `color` as its colour.
TFontDesc FromQFont(const QFont& font, const QColor& color);

}  // namespace tracklore::ui
