// The Qt "Statistics" dialog over its model.
#include "ui/statistics_qt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/messages.h"
#include "ui/dialog_util_qt.h"
#include "ui/statistics.h"

namespace tracklore::ui {

namespace {

QLabel* AddValue(QWidget* group, QGridLayout* grid, const char* caption, const char* name,
                 const std::string& text) {
    const int row = grid->rowCount();
    auto* value = new QLabel(ToQ(text), group);
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (caption != nullptr) grid->addWidget(new QLabel(QString::fromUtf8(caption), group), row, 0);
    grid->addWidget(value, row, caption != nullptr ? 1 : 0, 1, caption != nullptr ? 1 : 2);
    return value;
}

}  // namespace

void ShowStatisticsBox(QWidget* parent, const TStatisticsBox& box) {
    QDialog dialog(parent, kCloseOnlyDialogFlags);
    dialog.setObjectName("TStatisticsBox");
    dialog.setWindowTitle(QString::fromUtf8(msg::StatisticsCaption));

    auto* database = new QGroupBox(QString::fromUtf8(msg::StatisticsDatabaseGroup), &dialog);
    database->setObjectName("GB_Database");
    auto* databaseGrid = new QGridLayout(database);
    AddValue(database, databaseGrid, nullptr, "L_Filename", box.L_Filename);

    auto* statistics = new QGroupBox(QString::fromUtf8(msg::StatisticsGroup), &dialog);
    statistics->setObjectName("GB_Statistics");
    auto* grid = new QGridLayout(statistics);
    AddValue(statistics, grid, msg::FilesInDatabaseLabel, "L_Count", box.L_Count);
    AddValue(statistics, grid, msg::TotalPlaytimeLabel, "L_TotalPlaytime", box.L_TotalPlaytime);
    AddValue(statistics, grid, msg::TotalStorageSizeLabel, "L_TotalStorageSize",
             box.L_TotalStorageSize);
    AddValue(statistics, grid, msg::DatabaseSizeLabel, "L_Filesize", box.L_Filesize);
    grid->setColumnMinimumWidth(1, 160);

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok =
        buttons->addButton(QString::fromUtf8(msg::OkAmpCapsButton), QDialogButtonBox::AcceptRole);
    ok->setObjectName("B_OK");
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);

    StackFixed(dialog, {database, statistics, buttons});

    ok->setFocus();
    CenterOnScreen(&dialog);
    dialog.exec();
}

}  // namespace tracklore::ui
