// The Qt result window: a non-modal window with a table over the result set.
#include "search/select_form_qt.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>

#include "core/messages.h"
#include "search/select_form.h"
#include "ui/dialog_util_qt.h"
#include "ui/window_sizes_qt.h"

namespace tracklore {

namespace {

using ui::ToQ;

// A read-only table over the window's rows; Qt::UserRole gives a row's ID.
class TSelectFormModel : public QAbstractTableModel {
public:
    TSelectFormModel(std::unique_ptr<TSelectForm> form, QObject* parent)
        : QAbstractTableModel(parent), form_(std::move(form)) {}

    const TSelectForm& Form() const { return *form_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : form_->RowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : form_->ColumnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= form_->RowCount()) return {};
        const TSelectForm::TRow& row = form_->Row(index.row());
        if (role == Qt::DisplayRole) return ui::ToQ(form_->Cell(index.row(), index.column()));
        if (role == Qt::UserRole) return row.ID();
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        if (section < 0 || section >= form_->ColumnCount()) return {};
        return ToQ(form_->ColumnCaption(section));
    }

    // The rows move, so the selection and the current row are moved with them: they stay on
    // the records they were on, not on the row numbers.
    void ColumnClick(int column) {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList before = persistentIndexList();
        const std::vector<int> oldRowOf = form_->ColumnClick(column);
        if (!oldRowOf.empty()) {
            std::vector<int> newRowOf(oldRowOf.size());
            for (size_t row = 0; row < oldRowOf.size(); ++row)
                newRowOf[static_cast<size_t>(oldRowOf[row])] = static_cast<int>(row);
            QModelIndexList after;
            after.reserve(before.size());
            for (const QModelIndex& index : before)
                after << createIndex(newRowOf[static_cast<size_t>(index.row())], index.column());
            changePersistentIndexList(before, after);
        }
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

private:
    std::unique_ptr<TSelectForm> form_;
};

class TSelectFormQt : public QMainWindow {
public:
    TSelectFormQt(const TSelectFormHost& host, std::unique_ptr<TSelectForm> form)
        : QMainWindow(host.Owner, Qt::Window), host_(host) {
        setObjectName("SelectForm");
        setWindowTitle(ToQ(msg::SelectFormCaption));
        setAttribute(Qt::WA_DeleteOnClose);

        model_ = new TSelectFormModel(std::move(form), this);
        auto* view = new QTableView(this);
        view->setObjectName("LV_Database");
        view->setModel(model_);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setSortingEnabled(false);  // the model orders the rows
        view->setShowGrid(false);
        view->setWordWrap(false);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        // The rows look like the main window's lists.
        view->setFont(host.RowFont);
        if (host.RowHeight > 0) view->verticalHeader()->setDefaultSectionSize(host.RowHeight);
        QHeaderView* header = view->horizontalHeader();
        header->setHighlightSections(false);
        header->setSectionsClickable(true);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        for (int column = 0; column < model_->Form().ColumnCount(); ++column) {
            const int width = model_->Form().ColumnWidth(column);
            if (width > 0) header->resizeSection(column, width);
        }
        connect(header, &QHeaderView::sectionClicked, this, [this, header](int column) {
            model_->ColumnClick(column);
            header->setSortIndicatorShown(true);
            header->setSortIndicator(column, model_->Form().SortDirection() > 0
                                                 ? Qt::AscendingOrder
                                                 : Qt::DescendingOrder);
        });
        setCentralWidget(view);
        statusBar()->setObjectName("StatusBar");

        QAction* save =
            MakeAction("M_Save", msg::SelectFormSaveMenu, msg::SelectFormSaveHint,
                       QStyle::SP_DialogSaveButton, [this] { host_.Save(model_->Form()); });
        QAction* print =
            MakeAction("M_Print", msg::SelectFormPrintMenu, msg::SelectFormPrintHint,
                       QStyle::SP_FileDialogDetailedView, [this] { host_.Print(model_->Form()); });
        QAction* close = MakeAction("M_Close", msg::SelectFormCloseMenu, nullptr,
                                    QStyle::SP_DialogCloseButton, [this] { this->close(); });
        QAction* within = MakeAction(
            "M_SearchWithin", msg::SelectFormSearchWithinMenu, msg::SelectFormSearchWithinHint,
            QStyle::SP_FileDialogContentsView, [this] { host_.SearchWithin(model_->Form()); });

        QMenu* file = menuBar()->addMenu(ToQ(msg::SelectFormFileMenu));
        file->setObjectName("M_File");
        file->addAction(save);
        file->addAction(print);
        file->addSeparator();
        file->addAction(close);
        ui::AddMnemonics(*file);
        QMenu* search = menuBar()->addMenu(ToQ(msg::SelectFormSearchMenu));
        search->setObjectName("M_Search");
        search->addAction(within);

        QToolBar* tools = addToolBar(QString());
        tools->setObjectName("ToolBar");
        tools->setMovable(false);
        tools->addAction(save);
        tools->addAction(print);
        tools->addAction(within);
        tools->widgetForAction(save)->setObjectName("TB_Save");
        tools->widgetForAction(print)->setObjectName("TB_Print");
        tools->widgetForAction(within)->setObjectName("TB_SearchWithin");

        resize(800, 400);
        ui::KeepSize(*this, "SelectForm");
    }

private:
    QAction* MakeAction(const char* name, const char* caption, const char* hint,
                        QStyle::StandardPixmap icon, std::function<void()> slot) {
        auto* action = new QAction(style()->standardIcon(icon), ToQ(caption), this);
        action->setObjectName(name);
        if (hint != nullptr) {
            action->setToolTip(ToQ(hint));
            action->setStatusTip(ToQ(hint));
        }
        connect(action, &QAction::triggered, this, std::move(slot));
        return action;
    }

    const TSelectFormHost host_;
    TSelectFormModel* model_ = nullptr;
};

}  // namespace

void ShowSelectFormQt(const TSelectFormHost& host, std::unique_ptr<TSelectForm> form) {
    // Each result window opens down and right of the one before, so none hides another.
    static QPointer<QWidget> previous;
    constexpr int kCascade = 28;
    auto* window = new TSelectFormQt(host, std::move(form));
    if (previous != nullptr && previous->isVisible())
        window->move(previous->pos() + QPoint(kCascade, kCascade));
    previous = window;
    window->show();
}

}  // namespace tracklore
