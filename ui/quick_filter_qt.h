// The quick filter in Qt: a proxy over the All list's model that shows only the rows the
// core's TQuickFilter accepts, and the tool bar's filter box that drives it.
#pragma once

#include <QSortFilterProxyModel>

#include "ui/quick_filter.h"

class QLineEdit;
class QToolBar;

namespace tracklore::ui {

class TListModel;

class TQuickFilterModel : public QSortFilterProxyModel {
public:
    TQuickFilterModel(TListModel& source, QObject* parent);
    /// Shows the rows matching `text` (all rows for an empty text).
    void SetFilterText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    TListModel& source_;
    TQuickFilter filter_;
};

/// Adds the filter box (placeholder "Filter", named "QF_Filter") at the right end of
/// `toolBar`: typing filters `model`, Escape clears it, Ctrl+L anywhere in `window` focuses it.
QLineEdit* AddFilterBox(QToolBar& toolBar, QWidget& window, TQuickFilterModel& model);

}  // namespace tracklore::ui
