// The Volumes page of the main window: a table over the core's volume rows (TVolumesView),
// sortable by its headers, with the row actions as buttons, pop-up menu and double click.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <string>

#include "ui/views_qt.h"
#include "ui/volumes.h"

class QAction;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace tracklore::ui {

/// A read-only table over a TVolumesView, following it through its observer interface.
/// Qt::UserRole gives the value a column sorts by (numbers for the figures).
class TVolumesModel : public TFollowingModel<QAbstractTableModel, TVolumesObserver> {
    Q_OBJECT
public:
    explicit TVolumesModel(TVolumesView& volumes, QObject* parent = nullptr);
    ~TVolumesModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    TVolumesView& volumes_;
};

/// The page: LV_Volumes and the buttons B_VolumeRecords, B_VolumeUpdate, B_VolumeRemove.
/// `act` runs an action on the chosen row's label; Update is offered for online rows only.
class TVolumesPage : public QWidget {
    Q_OBJECT
public:
    using TActionHandler = std::function<void(TVolumeAction, const std::string&)>;

    TVolumesPage(TVolumesView& volumes, TActionHandler act, QWidget* parent = nullptr);

    QTableView* View() const { return view_; }

private:
    /// The core row under the view's current row, or -1.
    int CurrentRow() const;
    void Act(TVolumeAction action);
    void FollowSelection();
    /// Makes the row of `volume` current, if there is one.
    void SelectVolume(const std::string& volume);

    TVolumesView& volumes_;
    TActionHandler act_;
    TVolumesModel* model_;
    QSortFilterProxyModel* sorted_;
    QTableView* view_;
    QAction* showAction_;
    QAction* updateAction_;
    QAction* removeAction_;
    std::string lastVolume_;  // the current row's label, chosen again after a rebuild
};

}  // namespace tracklore::ui
