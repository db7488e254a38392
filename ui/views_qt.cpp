// Qt item models over the views: a table model per list and a tree model.
#include "ui/views_qt.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QStyle>

#include "ui/dialog_util_qt.h"

namespace tracklore::ui {

// ---- TListModel ------------------------------------------------------------------------

TListModel::TListModel(TListView& list, QObject* parent) : TFollowingModel(parent), list_(list) {
    list_.SetObserver(this);
}

TListModel::~TListModel() {
    list_.SetObserver(nullptr);
}

int TListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || resetting_ ? 0 : list_.RowCount();
}

int TListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TListModel::data(const QModelIndex& index, int role) const {
    // A view may still paint rows it knew before a reset while the rebuild lets messages
    // run: check the row against the core list instead of trusting the index.
    if (resetting_ || !index.isValid() || index.row() >= list_.RowCount() ||
        index.column() >= kColumnCount)
        return {};
    const TListRow& row = list_.Row(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return ToQ(row.Texts[index.column()]);
        case Qt::UserRole: return row.Data;
        default: return {};
    }
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kColumnCaptions[section]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void TListModel::BeginInsertRow(int row) {
    beginInsertRows({}, row, row);
}

void TListModel::EndInsertRow() {
    endInsertRows();
}

void TListModel::BeginRemoveRow(int row) {
    beginRemoveRows({}, row, row);
}

void TListModel::EndRemoveRow() {
    endRemoveRows();
}

void TListModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1), {Qt::DisplayRole});
}

void TListModel::BeginReorder() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TListModel::EndReorder(const std::vector<int>& newRowOfOld) {
    // The selection and the current row follow their records to the new places.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from) {
        const int row = old.row();
        const bool known = row >= 0 && row < static_cast<int>(newRowOfOld.size());
        to.append(known ? createIndex(newRowOfOld[row], old.column()) : QModelIndex());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// ---- TTreeModel ------------------------------------------------------------------------

TTreeModel::TTreeModel(TTreeView& tree, QObject* parent) : TFollowingModel(parent), tree_(tree) {
    QStyle* style = QApplication::style();
    icons_ = {style->standardIcon(QStyle::SP_DirIcon), style->standardIcon(QStyle::SP_DriveCDIcon),
              style->standardIcon(QStyle::SP_MediaVolume)};
    tree_.SetObserver(this);
}

TTreeModel::~TTreeModel() {
    tree_.SetObserver(nullptr);
}

TTreeNode* TTreeModel::NodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<TTreeNode*>(index.internalPointer()) : nullptr;
}

const TTreeNode* TTreeModel::ParentNode(const QModelIndex& parent) const {
    return parent.isValid() ? NodeOf(parent) : &tree_.Root();
}

QModelIndex TTreeModel::IndexOf(const TTreeNode* node) const {
    if (node == nullptr || node == &tree_.Root()) return {};
    return createIndex(node->Index(), 0, const_cast<TTreeNode*>(node));
}

QModelIndex TTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (resetting_ || column != 0 || row < 0) return {};
    const TTreeNode* node = ParentNode(parent);
    if (row >= static_cast<int>(node->Children.size())) return {};
    return createIndex(row, 0, node->Children[row].get());
}

QModelIndex TTreeModel::parent(const QModelIndex& index) const {
    const TTreeNode* node = NodeOf(index);
    if (resetting_ || node == nullptr) return {};
    return IndexOf(node->Parent);
}

int TTreeModel::rowCount(const QModelIndex& parent) const {
    if (resetting_ || parent.column() > 0) return 0;
    return static_cast<int>(ParentNode(parent)->Children.size());
}

int TTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool TTreeModel::hasChildren(const QModelIndex& parent) const {
    if (resetting_) return false;
    const TTreeNode* node = ParentNode(parent);
    return node->HasChildren || !node->Children.empty();
}

QVariant TTreeModel::data(const QModelIndex& index, int role) const {
    const TTreeNode* node = NodeOf(index);
    if (resetting_ || node == nullptr) return {};
    switch (role) {
        case Qt::DisplayRole: return ToQ(node->Text);
        case Qt::DecorationRole:
            if (node->ImageIndex >= 0 && node->ImageIndex < static_cast<int>(icons_.size()))
                return icons_[node->ImageIndex];
            return {};
        case Qt::UserRole: return node->Data;
        default: return {};
    }
}

bool TTreeModel::canFetchMore(const QModelIndex& parent) const {
    const TTreeNode* node = NodeOf(parent);
    return !resetting_ && node != nullptr && node->Data == -1 && expand_ && (!gate_ || gate_());
}

void TTreeModel::fetchMore(const QModelIndex& parent) {
    if (canFetchMore(parent)) expand_(NodeOf(parent));
}

void TTreeModel::BeginInsertNode(const TTreeNode* parent, int index) {
    beginInsertRows(IndexOf(parent), index, index);
}

void TTreeModel::EndInsertNode() {
    endInsertRows();
}

void TTreeModel::BeginRemoveNode(const TTreeNode* parent, int index) {
    beginRemoveRows(IndexOf(parent), index, index);
}

void TTreeModel::EndRemoveNode() {
    endRemoveRows();
}

// ---- selection -------------------------------------------------------------------------

void SyncListSelection(TListView& list, const QItemSelection& selected,
                       const QItemSelection& deselected) {
    auto apply = [&list](const QItemSelection& ranges, bool on) {
        for (const QItemSelectionRange& range : ranges) {
            const int last = std::min(range.bottom(), list.RowCount() - 1);
            for (int row = std::max(range.top(), 0); row <= last; ++row)
                list.SetSelected(row, on);
        }
    };
    apply(deselected, false);
    apply(selected, true);
}

void SyncTreeSelection(TTreeView& tree, const QItemSelectionModel& selection) {
    const QModelIndexList rows = selection.selectedRows();
    tree.SetSelected(rows.isEmpty() ? nullptr : TTreeModel::NodeOf(rows.first()));
}

}  // namespace tracklore::ui
