// Qt item models over the core's views: a table model per list (TListView) and a tree model
// over the artist/album/title tree (TTreeView). Both read the core on demand and follow it
// through its observer interfaces; the selection helpers copy the Qt selection back.
#pragma once

#include <QAbstractItemModel>
#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <functional>

#include "ui/views.h"

class QItemSelection;
class QItemSelectionModel;

namespace tracklore::ui {

/// A Qt item model that follows a core view through its observer interface. Between the
/// core's BeginReset and EndReset (a refill between begin-update and end-update) the model
/// is reset and reports nothing, so a view painting meanwhile reads no rows being rebuilt.
template <class Model, class Observer>
class TFollowingModel : public Model, public Observer {
public:
    explicit TFollowingModel(QObject* parent) : Model(parent) {}

    void BeginReset() override {
        this->beginResetModel();
        resetting_ = true;
    }
    void EndReset() override {
        resetting_ = false;
        this->endResetModel();
    }

protected:
    bool resetting_ = false;
};

/// A read-only table over one TListView: twelve columns, Qt::UserRole gives the row's ID.
class TListModel : public TFollowingModel<QAbstractTableModel, TListObserver> {
    Q_OBJECT
public:
    TListModel(TListView& list, QObject* parent = nullptr);
    ~TListModel() override;

    TListView& List() { return list_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // TListObserver
    void BeginInsertRow(int row) override;
    void EndInsertRow() override;
    void BeginRemoveRow(int row) override;
    void EndRemoveRow() override;
    void RowChanged(int row) override;
    void BeginReorder() override;
    void EndReorder(const std::vector<int>& newRowOfOld) override;

private:
    TListView& list_;
};

/// A read-only tree over TTreeView; internalPointer is the TTreeNode. Artists that were not
/// opened yet are filled through `expand` when the view first opens them.
class TTreeModel : public TFollowingModel<QAbstractItemModel, TTreeObserver> {
    Q_OBJECT
public:
    using TExpander = std::function<void(TTreeNode*)>;
    using TGate = std::function<bool()>;

    TTreeModel(TTreeView& tree, QObject* parent = nullptr);
    ~TTreeModel() override;

    TTreeView& Tree() { return tree_; }
    /// What fills an artist node (data -1) before it opens.
    void SetExpander(TExpander expand) { expand_ = std::move(expand); }
    /// Asked before filling: false while a command runs, so the catalogue is left alone.
    void SetExpandGate(TGate gate) { gate_ = std::move(gate); }

    /// The index of `node` (invalid for the root and nullptr).
    QModelIndex IndexOf(const TTreeNode* node) const;
    static TTreeNode* NodeOf(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // TTreeObserver
    void BeginInsertNode(const TTreeNode* parent, int index) override;
    void EndInsertNode() override;
    void BeginRemoveNode(const TTreeNode* parent, int index) override;
    void EndRemoveNode() override;

private:
    const TTreeNode* ParentNode(const QModelIndex& parent) const;
    TTreeView& tree_;
    TExpander expand_;
    TGate gate_;
    std::array<QIcon, 3> icons_;
};

/// Copies a change of the Qt selection of a list into the core list, range by range.
void SyncListSelection(TListView& list, const QItemSelection& selected,
                       const QItemSelection& deselected);
/// Copies the current selection of a tree view into the core tree (one node or none).
void SyncTreeSelection(TTreeView& tree, const QItemSelectionModel& selection);

}  // namespace tracklore::ui
