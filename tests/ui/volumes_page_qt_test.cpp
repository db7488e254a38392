// Wiring of the Volumes page (offscreen): Ctrl+4 brings it to front filled from the
// catalogue, Update follows the row's online state, and a button runs the core's action.
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <cstdlib>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "playback/player_settings.h"
#include "tests/support/temp_dir.h"
#include "ui/main_window_qt.h"
#include "ui/prefs.h"

namespace tracklore::ui {
namespace {

TEST(VolumesPageQt, CtrlFourShowsThePageAndItsButtonsAct) {
    test::TTempDir dir;
    const std::string registry = dir.Path("tracklore.reg");
    setenv("TRACKLORE_REGISTRY", registry.c_str(), 1);
    setenv("TRACKLORE_DRIVES", ("m=" + dir.Root() + "|MUSIC").c_str(), 1);
    SavePrefs(TPrefs(), registry);
    playback::TPlayerSettings player;
    player.SearchDriveSet = playback::DriveSetOf("m");
    playback::SavePlayerSettings(player, registry);
    TTracklore catalogue;
    for (const char* volume : {"MUSIC", "CD", "MUSIC"}) {
        TrackRecord record;
        record.Volume = volume;
        catalogue.Insert(record);
    }
    const std::string file = dir.Path("music.tracklore");
    catalogue.SaveToFile(file);

    TMainForm form(registry);
    form.Start({file});
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(form.Pages()->currentWidget()->objectName(), "TS_Volumes");

    auto* view = form.findChild<QTableView*>("LV_Volumes");
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->model()->rowCount(), 2);
    EXPECT_EQ(view->model()->index(1, 0).data().toString(), "MUSIC");
    EXPECT_EQ(view->model()->index(1, 1).data().toString(), "2");
    auto* update = form.findChild<QPushButton*>("B_VolumeUpdate");
    auto* show = form.findChild<QPushButton*>("B_VolumeRecords");
    ASSERT_TRUE(update != nullptr && show != nullptr);
    view->selectRow(0);  // CD: offline
    EXPECT_TRUE(show->isEnabled());
    EXPECT_FALSE(update->isEnabled());
    EXPECT_FALSE(update->toolTip().isEmpty());  // says why
    view->selectRow(1);                         // MUSIC: carried by m:
    EXPECT_TRUE(update->isEnabled());

    show->click();
    EXPECT_EQ(form.Pages()->currentWidget()->objectName(), "TS_Selected");
    EXPECT_EQ(form.SelectedListView()->model()->rowCount(), 2);
    unsetenv("TRACKLORE_DRIVES");
    unsetenv("TRACKLORE_REGISTRY");
}

}  // namespace
}  // namespace tracklore::ui
