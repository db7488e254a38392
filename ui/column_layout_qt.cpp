// The lists' columns in Qt: widths that follow the view font, and the user's layout kept.
#include "ui/column_layout_qt.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QTableView>
#include <cmath>

#include "ui/column_layout.h"

namespace tracklore::ui {

void ScaleColumnsToFont(QTableView& view, const QFont& font) {
    const qreal before = QFontMetricsF(view.font()).averageCharWidth();
    const qreal after = QFontMetricsF(font).averageCharWidth();
    if (before <= 0 || after <= 0 || std::abs(after - before) < 0.01) return;
    QHeaderView* header = view.horizontalHeader();
    for (int column = 0; column < header->count(); ++column)
        header->resizeSection(
            column, static_cast<int>(std::lround(header->sectionSize(column) * after / before)));
}

void ApplyColumnLayout(QHeaderView& header, const std::string& layout) {
    const auto places = ParseColumnLayout(layout, header.count());
    if (!places) return;
    for (int shown = 0; shown < static_cast<int>(places->size()); ++shown) {
        const TColumnPlace& place = (*places)[static_cast<size_t>(shown)];
        header.moveSection(header.visualIndex(place.Column), shown);
        header.resizeSection(place.Column, place.Width);
    }
}

std::string ColumnLayoutOf(const QHeaderView& header) {
    std::vector<TColumnPlace> places;
    for (int shown = 0; shown < header.count(); ++shown) {
        const int column = header.logicalIndex(shown);
        places.push_back({column, header.sectionSize(column)});
    }
    return FormatColumnLayout(places);
}

}  // namespace tracklore::ui
