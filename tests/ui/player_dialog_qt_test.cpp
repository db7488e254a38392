// Wiring of the "Configure External Player" dialog: model in, widgets shown, model out.
#include "playback/player_dialog_qt.h"

#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "playback/player_dialog.h"
#include "tests/ui/when_modal_qt.h"

namespace tracklore::playback {
namespace {

using test::WhenModal;

TExtPlayerDialog Model() {
    TExtPlayerDialog model;
    model.AddPlugin({"PL_A.so", "Player A"});
    model.AddPlugin({"PL_B.so", "Player B"});
    model.L_PluginsSelected = 1;
    model.CL_Drives = {{"c:", "(fixed disk)", false, "/", "root"},
                       {"e:", "(cdrom)", true, "/media/cd", "DISC1"}};
    model.E_TempDir = "/tmp/copies/";
    model.TB_TempLimit = 40;
    return model;
}

TEST(PlayerDialogQt, ShowsTheModelAndReadsTheControlsBackOnOk) {
    TExtPlayerDialog model = Model();
    WhenModal<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Configure External Player");
        auto* plugins = dialog->findChild<QTreeWidget*>("L_Plugins");
        auto* drives = dialog->findChild<QTreeWidget*>("CL_Drives");
        auto* slider = dialog->findChild<QSlider*>("TB_TempLimit");
        auto* limit = dialog->findChild<QLabel*>("L_Limit");
        ASSERT_TRUE(plugins && drives && slider && limit);
        EXPECT_EQ(plugins->currentItem()->text(1), "Player B");
        EXPECT_EQ(drives->topLevelItem(1)->text(1), "(cdrom)");
        EXPECT_EQ(drives->topLevelItem(1)->checkState(0), Qt::Checked);
        EXPECT_FALSE(slider->isEnabled());
        EXPECT_EQ(slider->tickInterval(), 10);
        EXPECT_EQ(limit->text(), "40 MB");
        slider->setValue(60);
        EXPECT_EQ(limit->text(), "60 MB");

        plugins->setCurrentItem(plugins->topLevelItem(0));
        drives->topLevelItem(0)->setCheckState(0, Qt::Checked);
        dialog->findChild<QLineEdit*>("E_TempDir")->setText("/var/copies/");
        dialog->findChild<QCheckBox*>("CK_DelOnPlay")->setChecked(true);
        dialog->findChild<QPushButton*>("B_OK")->click();
    });
    ASSERT_TRUE(ExecutePlayerDialogQt(nullptr, model));
    EXPECT_EQ(model.SelectedPlugin(), "PL_A.so");
    EXPECT_TRUE(model.CL_Drives[0].Checked);
    EXPECT_TRUE(model.CL_Drives[1].Checked);
    EXPECT_EQ(model.E_TempDir, "/var/copies/");
    EXPECT_EQ(model.TB_TempLimit, 60);
    EXPECT_TRUE(model.CK_DelOnPlay);
}

TEST(PlayerDialogQt, ClickOnBlankSpaceKeepsTheChosenPlugin) {
    TExtPlayerDialog model = Model();
    WhenModal<QDialog>([](QDialog* dialog) {
        auto* plugins = dialog->findChild<QTreeWidget*>("L_Plugins");
        ASSERT_TRUE(plugins);
        const QPoint blank(5, plugins->viewport()->height() - 3);
        ASSERT_EQ(plugins->itemAt(blank), nullptr);
        QTest::mouseClick(plugins->viewport(), Qt::LeftButton, {}, blank);
        dialog->findChild<QPushButton*>("B_OK")->click();
    });
    ASSERT_TRUE(ExecutePlayerDialogQt(nullptr, model));
    EXPECT_EQ(model.SelectedPlugin(), "PL_B.so");
}

TEST(PlayerDialogQt, ShowsWholeNamesAndDriveFoldersAndCanBeResized) {
    TExtPlayerDialog model = Model();
    const std::string longName(120, 'n');
    model.L_Plugins[0].Description = longName;
    WhenModal<QDialog>([&](QDialog* dialog) {
        auto* plugins = dialog->findChild<QTreeWidget*>("L_Plugins");
        auto* drives = dialog->findChild<QTreeWidget*>("CL_Drives");
        ASSERT_TRUE(plugins && drives);
        EXPECT_GE(plugins->header()->sectionSize(1),
                  plugins->fontMetrics().horizontalAdvance(QString::fromStdString(longName)));
        EXPECT_EQ(drives->topLevelItem(1)->text(2), "/media/cd");
        EXPECT_EQ(drives->topLevelItem(1)->text(3), "DISC1");
        EXPECT_NE(dialog->minimumSize(), dialog->maximumSize());
        dialog->reject();
    });
    EXPECT_FALSE(ExecutePlayerDialogQt(nullptr, model));
}

TEST(PlayerDialogQt, CancelLeavesTheModel) {
    TExtPlayerDialog model = Model();
    WhenModal<QDialog>([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>("E_TempDir")->setText("/elsewhere/");
        dialog->findChild<QPushButton*>("B_Cancel")->click();
    });
    EXPECT_FALSE(ExecutePlayerDialogQt(nullptr, model));
    EXPECT_EQ(model.E_TempDir, "/tmp/copies/");
}

}  // namespace
}  // namespace tracklore::playback
