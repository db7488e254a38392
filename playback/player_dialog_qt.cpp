// The Qt "Configure External Player" dialog: the model's lists and fields as widgets.
#include "playback/player_dialog_qt.h"

#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/messages.h"
#include "playback/player_dialog.h"
#include "ui/dialog_util_qt.h"
#include "ui/window_sizes_qt.h"

namespace tracklore::playback {

namespace {

using ui::ToQ;

// A report-style list: no tree decoration, whole rows selected, columns from the headers,
// each as wide as its widest text (the list scrolls sideways rather than cut a name).
QTreeWidget* MakeList(QWidget* parent, const char* name,
                      std::initializer_list<const char*> columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList headers;
    for (const char* column : columns)
        headers << ToQ(column);
    list->setHeaderLabels(headers);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setMinimumHeight(90);
    return list;
}

class TPlayerDialogQt : public QDialog {
public:
    TPlayerDialogQt(QWidget* parent, const TExtPlayerDialog& model) : QDialog(parent) {
        setObjectName("TExtPlayer");
        setWindowTitle(ToQ(msg::PlayerConfigCaption));
        setWindowFlags(ui::kCloseOnlyDialogFlags);

        auto* pluginGroup = new QGroupBox(ToQ(msg::PluginSelectionGroup), this);
        plugins_ = MakeList(pluginGroup, "L_Plugins",
                            {msg::PluginNameColumn, msg::PluginDescriptionColumn});
        plugins_->setSelectionMode(QAbstractItemView::SingleSelection);
        // A click on blank space would clear the choice, and OK would then turn playing off
        // without a word: a chosen row stays chosen until another row is picked.
        connect(plugins_, &QTreeWidget::itemSelectionChanged, this, [this] {
            const QList<QTreeWidgetItem*> selected = plugins_->selectedItems();
            if (!selected.isEmpty())
                chosen_ = selected.front();
            else if (chosen_ != nullptr)
                plugins_->setCurrentItem(chosen_);
        });
        (new QVBoxLayout(pluginGroup))->addWidget(plugins_);

        auto* driveGroup = new QGroupBox(ToQ(msg::DrivesToSearchGroup), this);
        drives_ = MakeList(driveGroup, "CL_Drives",
                           {msg::DriveColumn, msg::DriveTypeColumn, msg::DriveFolderColumn,
                            msg::DriveLabelColumn});
        drives_->setSelectionMode(QAbstractItemView::SingleSelection);
        (new QVBoxLayout(driveGroup))->addWidget(drives_);

        auto* storageGroup = new QGroupBox(ToQ(msg::TempStorageGroup), this);
        tempDir_ = new QLineEdit(storageGroup);
        tempDir_->setObjectName("E_TempDir");
        limit_ = new QSlider(Qt::Horizontal, storageGroup);
        limit_->setObjectName("TB_TempLimit");
        limit_->setRange(kTempLimitMin, kTempLimitMax);
        limit_->setTickInterval(kTempLimitTick);
        limit_->setTickPosition(QSlider::TicksBelow);
        limit_->setToolTip(ToQ(msg::MaxStorageUseHint));
        // The limit is shown and stored, but nothing enforces it: the control stays off.
        limit_->setEnabled(false);
        limitLabel_ = new QLabel(storageGroup);
        limitLabel_->setObjectName("L_Limit");
        connect(limit_, &QSlider::valueChanged, this, [this](int value) {
            TExtPlayerDialog shown;
            shown.SetTempLimit(value);
            limitLabel_->setText(ToQ(shown.L_Limit()));
        });
        delOnPlay_ = new QCheckBox(ToQ(msg::DeleteTempOnPlay), storageGroup);
        delOnPlay_->setObjectName("CK_DelOnPlay");

        auto* grid = new QGridLayout(storageGroup);
        auto* tempDirLabel =
            new QLabel(ui::WithMnemonic(msg::TempStorageLocation, "Location"), storageGroup);
        tempDirLabel->setBuddy(tempDir_);
        auto* limitLabel = new QLabel(ui::WithMnemonic(msg::MaxStorageUse, "Max"), storageGroup);
        limitLabel->setBuddy(limit_);
        grid->addWidget(tempDirLabel, 0, 0);
        grid->addWidget(tempDir_, 0, 1, 1, 2);
        grid->addWidget(limitLabel, 1, 0);
        grid->addWidget(limit_, 1, 1);
        grid->addWidget(limitLabel_, 1, 2);
        grid->addWidget(delOnPlay_, 2, 0, 1, 3);

        auto* ok = new QPushButton(ToQ(msg::OkButton), this);
        ok->setObjectName("B_OK");
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        auto* cancel = new QPushButton(ToQ(msg::PlainCancelButton), this);
        cancel->setObjectName("B_Cancel");
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);

        auto* lists = new QHBoxLayout;
        lists->addWidget(pluginGroup, 3);
        lists->addWidget(driveGroup, 2);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(lists);
        layout->addWidget(storageGroup);
        layout->addLayout(buttons);

        Load(model);
        setSizeGripEnabled(true);
        resize(720, 380);
        ui::KeepSize(*this, "ConfigPlayer");
    }

    /// The controls' state written into `model` (the rows stay; their checks are read).
    void ReadBack(TExtPlayerDialog& model) const {
        model.L_PluginsSelected = -1;
        if (QTreeWidgetItem* current = plugins_->currentItem(); current && current->isSelected())
            model.L_PluginsSelected = plugins_->indexOfTopLevelItem(current);
        for (int row = 0;
             row < drives_->topLevelItemCount() && row < static_cast<int>(model.CL_Drives.size());
             ++row) {
            model.CL_Drives[static_cast<size_t>(row)].Checked =
                drives_->topLevelItem(row)->checkState(0) == Qt::Checked;
        }
        model.E_TempDir = tempDir_->text().toStdString();
        model.SetTempLimit(limit_->value());
        model.CK_DelOnPlay = delOnPlay_->isChecked();
    }

private:
    void Load(const TExtPlayerDialog& model) {
        // The model's rows are in list order already (sorted by name and by drive).
        for (const TPluginRow& row : model.L_Plugins)
            new QTreeWidgetItem(plugins_, {ToQ(row.Name), ToQ(row.Description)});
        if (model.L_PluginsSelected >= 0 && model.L_PluginsSelected < plugins_->topLevelItemCount())
            plugins_->setCurrentItem(plugins_->topLevelItem(model.L_PluginsSelected));
        for (const TDriveRow& row : model.CL_Drives) {
            auto* item = new QTreeWidgetItem(
                drives_, {ToQ(row.Caption), ToQ(row.Type), ToQ(row.Folder), ToQ(row.Label)});
            item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
            item->setCheckState(0, row.Checked ? Qt::Checked : Qt::Unchecked);
        }
        tempDir_->setText(ToQ(model.E_TempDir));
        // Set directly as well: valueChanged does not fire when the position stays.
        limit_->setValue(model.TB_TempLimit);
        limitLabel_->setText(ToQ(model.L_Limit()));
        delOnPlay_->setChecked(model.CK_DelOnPlay);
    }

    QTreeWidget* plugins_;
    QTreeWidgetItem* chosen_ = nullptr;
    QTreeWidget* drives_;
    QLineEdit* tempDir_;
    QSlider* limit_;
    QLabel* limitLabel_;
    QCheckBox* delOnPlay_;
};

}  // namespace

bool ExecutePlayerDialogQt(QWidget* parent, TExtPlayerDialog& dialog) {
    TPlayerDialogQt form(parent, dialog);
    if (form.exec() != QDialog::Accepted) return false;
    form.ReadBack(dialog);
    return true;
}

}  // namespace tracklore::playback
