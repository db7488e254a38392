// The lists' column layout in Qt: widths that follow the view font, and the user's order
// and widths read from and written to the preferences' layout text.
#pragma once

#include <string>

class QFont;
class QHeaderView;
class QTableView;

namespace tracklore::ui {

/// Scales every column of `view` by how much wider `font` writes than the view's font now,
/// so the same texts still fit. Call before the view takes the font.
void ScaleColumnsToFont(QTableView& view, const QFont& font);
/// Moves and sizes the columns as `layout` says; an invalid text changes nothing.
void ApplyColumnLayout(QHeaderView& header, const std::string& layout);
/// The layout text of the columns as shown.
std::string ColumnLayoutOf(const QHeaderView& header);

}  // namespace tracklore::ui
