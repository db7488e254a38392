// The quick filter in Qt: a proxy model over the All list and the tool bar's box.
#include "ui/quick_filter_qt.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QSizePolicy>
#include <QToolBar>

#include "ui/views_qt.h"

namespace tracklore::ui {

namespace {

constexpr int kFilterBoxWidth = 220;

// Escape empties the box (a line edit would pass it on to the window).
class TFilterBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
            clear();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

}  // namespace

TQuickFilterModel::TQuickFilterModel(TListModel& source, QObject* parent)
    : QSortFilterProxyModel(parent), source_(source) {
    setSourceModel(&source);
    // The core orders the rows; the proxy only leaves some out.
    setDynamicSortFilter(false);
}

void TQuickFilterModel::SetFilterText(const QString& text) {
    filter_.SetText(text.toStdString());
    invalidateRowsFilter();
}

bool TQuickFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (sourceParent.isValid() || filter_.Empty()) return true;
    const TListView& list = source_.List();
    return sourceRow < list.RowCount() && filter_.Matches(list.Row(sourceRow));
}

QLineEdit* AddFilterBox(QToolBar& toolBar, QWidget& window, TQuickFilterModel& model) {
    auto* spacer = new QWidget(&toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar.addWidget(spacer);

    auto* box = new TFilterBox(&toolBar);
    box->setObjectName("QF_Filter");
    box->setPlaceholderText("Filter");
    box->setClearButtonEnabled(true);
    box->setMaximumWidth(kFilterBoxWidth);
    box->addAction(QIcon::fromTheme("edit-find"), QLineEdit::LeadingPosition);
    box->setToolTip("Show only the records whose texts hold every word typed (Ctrl+L)");
    toolBar.addWidget(box);
    QObject::connect(box, &QLineEdit::textChanged, &model,
                     [&model](const QString& text) { model.SetFilterText(text); });

    auto* focus = new QShortcut(QKeySequence("Ctrl+L"), &window);
    focus->setObjectName("QF_Focus");
    QObject::connect(focus, &QShortcut::activated, box, [box] {
        box->setFocus(Qt::ShortcutFocusReason);
        box->selectAll();
    });
    return box;
}

}  // namespace tracklore::ui
