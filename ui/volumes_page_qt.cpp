// The Volumes page: the table model over the volume rows and the page with its row actions.
#include "ui/volumes_page_qt.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "core/messages.h"
#include "ui/dialog_util_qt.h"

namespace tracklore::ui {

namespace {

constexpr std::array<int, kVolumeColumnCount> kWidths = {140, 70, 90, 100, 120, 55, 200};

bool IsFigure(int column) {
    return column >= 1 && column <= 3;  // Records, Size, Play time
}

}  // namespace

// ---- TVolumesModel ---------------------------------------------------------------------

TVolumesModel::TVolumesModel(TVolumesView& volumes, QObject* parent)
    : TFollowingModel(parent), volumes_(volumes) {
    volumes_.SetObserver(this);
}

TVolumesModel::~TVolumesModel() {
    volumes_.SetObserver(nullptr);
}

int TVolumesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : volumes_.RowCount();
}

int TVolumesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kVolumeColumnCount;
}

QVariant TVolumesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= volumes_.RowCount() ||
        index.column() >= kVolumeColumnCount)
        return {};
    const TVolumeRow& row = volumes_.Row(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return ToQ(VolumeRowTexts(row)[static_cast<size_t>(index.column())]);
        case Qt::TextAlignmentRole:
            return int((IsFigure(index.column()) ? Qt::AlignRight : Qt::AlignLeft) |
                       Qt::AlignVCenter);
        case Qt::UserRole:
            switch (index.column()) {
                case 1: return row.Records;
                case 2: return static_cast<qulonglong>(row.TotalSize);
                case 3: return static_cast<qulonglong>(row.TotalPlayTime);
                case 4: return row.NewestFileDate;
                case 5: return row.Online;
                default: return ToQ(VolumeRowTexts(row)[static_cast<size_t>(index.column())]);
            }
        default: return {};
    }
}

QVariant TVolumesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kVolumeColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kVolumeColumnCaptions[section]);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

// ---- TVolumesPage ----------------------------------------------------------------------

TVolumesPage::TVolumesPage(TVolumesView& volumes, TActionHandler act, QWidget* parent)
    : QWidget(parent), volumes_(volumes), act_(std::move(act)) {
    setObjectName("TS_Volumes");
    model_ = new TVolumesModel(volumes_, this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(Qt::UserRole);
    sorted_->setSortCaseSensitivity(Qt::CaseInsensitive);
    sorted_->setSortLocaleAware(true);

    view_ = new QTableView;
    view_->setObjectName("LV_Volumes");
    view_->setModel(sorted_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setShowGrid(false);
    view_->setWordWrap(false);
    view_->setTabKeyNavigation(false);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view_->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < kVolumeColumnCount; ++column)
        view_->horizontalHeader()->resizeSection(column, kWidths[static_cast<size_t>(column)]);
    // Until a header is clicked the rows keep the core's order (by label).
    view_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view_->setSortingEnabled(true);

    auto makeAction = [this](const char* name, const char* caption, TVolumeAction action) {
        auto* item = new QAction(ToQ(caption), this);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, [this, action] { Act(action); });
        return item;
    };
    showAction_ =
        makeAction("PM_VolumeRecords", msg::VolumeShowRecordsButton, TVolumeAction::ShowRecords);
    updateAction_ = makeAction("PM_VolumeUpdate", msg::VolumeUpdateButton, TVolumeAction::Update);
    removeAction_ = makeAction("PM_VolumeRemove", msg::VolumeRemoveButton, TVolumeAction::Remove);

    auto* buttons = new QHBoxLayout;
    for (auto [name, action] :
         {std::pair{"B_VolumeRecords", showAction_}, std::pair{"B_VolumeUpdate", updateAction_},
          std::pair{"B_VolumeRemove", removeAction_}}) {
        auto* button = new QPushButton(action->text());
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, button, [button, item = action] {
            button->setEnabled(item->isEnabled());
            button->setToolTip(item->toolTip());
        });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    layout->addLayout(buttons);

    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (CurrentRow() < 0) return;
        QMenu menu(this);
        menu.addActions({showAction_, updateAction_, removeAction_});
        menu.exec(view_->viewport()->mapToGlobal(at));
    });
    connect(view_, &QAbstractItemView::doubleClicked, showAction_, &QAction::trigger);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TVolumesPage::FollowSelection);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        SelectVolume(lastVolume_);
        FollowSelection();
    });
    FollowSelection();
}

int TVolumesPage::CurrentRow() const {
    const QModelIndex current = sorted_->mapToSource(view_->selectionModel()->currentIndex());
    return current.isValid() && current.row() < volumes_.RowCount() ? current.row() : -1;
}

void TVolumesPage::SelectVolume(const std::string& volume) {
    for (int row = 0; row < volumes_.RowCount(); ++row) {
        if (volumes_.Row(row).Volume != volume) continue;
        view_->selectionModel()->setCurrentIndex(
            sorted_->mapFromSource(model_->index(row, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return;
    }
}

void TVolumesPage::FollowSelection() {
    const int row = CurrentRow();
    if (row >= 0) lastVolume_ = volumes_.Row(row).Volume;
    showAction_->setEnabled(row >= 0);
    removeAction_->setEnabled(row >= 0);
    // Update walks the drive that carries the volume: only an online one has it.
    const bool offline = row >= 0 && !volumes_.Row(row).Online;
    updateAction_->setEnabled(row >= 0 && !offline);
    updateAction_->setToolTip(offline ? ToQ(msg::VolumeOfflineHint) : QString());
}

void TVolumesPage::Act(TVolumeAction action) {
    const int row = CurrentRow();
    if (row < 0 || !act_) return;
    // A copy: the action rebuilds the rows it was taken from.
    const std::string volume = volumes_.Row(row).Volume;
    act_(action, volume);
}

}  // namespace tracklore::ui
