// How the main window fits a Linux desktop (offscreen): the first start, the modified marker,
// recent files, keyboard use, the quick filter.
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "search/select_form.h"
#include "search/select_form_qt.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/main_window_qt.h"
#include "ui/prefs.h"
#include "ui/recent_files.h"
#include "ui/shell_qt.h"
#include "ui/small_dialogs_qt.h"
#include "ui/window_sizes_qt.h"

namespace tracklore::ui {
namespace {

class DesktopTest : public testing::Test {
protected:
    DesktopTest() { registry_ = dir_.Path("tracklore.reg"); }

    TMainForm& Start(const std::vector<std::string>& args = {}) {
        form_ = std::make_unique<TMainForm>(registry_);
        form_->Start(args);
        return *form_;
    }
    // Closes the window the way the user does, so the preferences are written.
    void Close() {
        form_->close();
        form_.reset();
    }
    QAction* Action(const char* name) const { return form_->findChild<QAction*>(name); }

    // A catalogue of `count` records by artist "A", title "T<n>".
    std::string MakeCatalogue(const std::string& name, int count) {
        TTracklore catalogue;
        for (int i = 0; i < count; ++i) {
            TrackRecord record;
            record.Artist = "A";
            record.Title = "T" + std::to_string(i);
            catalogue.Insert(record);
        }
        const std::string path = dir_.Path(name);
        catalogue.SaveToFile(path);
        return path;
    }

    test::TTempDir dir_;
    std::string registry_;
    std::unique_ptr<TMainForm> form_;
};

TEST_F(DesktopTest, FirstStartIsQuietAndFillsTwoThirdsOfTheScreenCentred) {
    TMainForm& form = Start();  // no store: a message box would hang here unanswered
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form.size(), QSize(area.width() * 2 / 3, area.height() * 2 / 3));
    EXPECT_LE(std::abs(form.geometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(form.geometry().center().y() - area.center().y()), 1);

    // The next start restores what the first one left.
    form.resize(500, 300);
    form.move(area.topLeft() + QPoint(40, 50));
    Close();
    TMainForm& again = Start();
    EXPECT_EQ(again.size(), QSize(500, 300));
    EXPECT_EQ(again.pos(), area.topLeft() + QPoint(40, 50));
}

TEST_F(DesktopTest, CaptionCarriesTheModifiedMarkerWhileModified) {
    SavePrefs(TPrefs(), registry_);
    TMainForm& form = Start();
    EXPECT_FALSE(form.isWindowModified());
    EXPECT_EQ(form.windowTitle(), "Corvane Tracklore - Untitled[*]");
    form.RunExclusive([&] { form.Window().SetModified(true); });
    EXPECT_TRUE(form.isWindowModified());
    form.RunExclusive([&] { form.Window().SetModified(false); });
    EXPECT_FALSE(form.isWindowModified());

    // A "[*]" in a file name is text, not a second marker.
    const std::string odd = MakeCatalogue("odd[*].tracklore", 1);
    TMainForm& other = Start({odd});
    EXPECT_EQ(
        other.windowTitle(),
        QString::fromStdString("Corvane Tracklore - " + dir_.Path("odd[*][*].tracklore")) + "[*]");
}

TEST_F(DesktopTest, RecentFilesMenuOpensTheChosenCatalogue) {
    SavePrefs(TPrefs(), registry_);
    const std::string first = MakeCatalogue("first.tracklore", 2);
    const std::string second = MakeCatalogue("second & more.tracklore", 3);
    TMainForm& form = Start({first});
    NoteRecentFile(form.Window().Prefs().RecentFiles, second);
    auto* menu = form.findChild<QMenu*>("M_FileRecent");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "Open &Recent");
    emit menu->aboutToShow();
    QAction* newest = Action("M_Recent1");
    ASSERT_NE(newest, nullptr);
    EXPECT_EQ(newest->text(),
              QString::fromStdString("&1 " + dir_.Path("second && more.tracklore")));
    EXPECT_EQ(Action("M_Recent2")->statusTip(), QString::fromStdString(first));
    newest->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Window().CurrentFile(), second);
    EXPECT_EQ(form.AllListView()->model()->rowCount(), 3);

    // Off while Open is off.
    form.ApplyCommandMask(0);
    EXPECT_FALSE(menu->menuAction()->isEnabled());
}

TEST_F(DesktopTest, OptionsCarryTheChoiceToReopenTheLastCatalogue) {
    SavePrefs(TPrefs(), registry_);
    TMainForm& form = Start();
    ASSERT_TRUE(form.Window().Prefs().OpenLastAtStart);
    test::WhenModal<QDialog>([](QDialog* dialog) {
        auto* box = test::Child<QCheckBox>(dialog, "CB_OpenLast");
        EXPECT_EQ(box->text().remove('&'), "Open the last catalogue at start");
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        dialog->accept();
    });
    Action("M_Options")->trigger();
    EXPECT_FALSE(form.Window().Prefs().OpenLastAtStart);
}

TEST_F(DesktopTest, ListKeysMoveByWholeRowsEditOnEnterAndDeleteOnDelete) {
    SavePrefs(TPrefs(), registry_);
    TMainForm& form = Start({MakeCatalogue("keys.tracklore", 5)});
    QTableView* list = form.AllListView();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->currentIndex().row(), 4);
    ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(list->selectionModel()->selectedIndexes().size(), list->model()->columnCount());
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(list->currentIndex().row(), 0);
    QTest::keyClick(list, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 5);
    QTest::keyClick(list, Qt::Key_Home);
    ASSERT_TRUE(Action("M_Edit")->isEnabled());

    bool edited = false;
    test::WhenModal<QDialog>([&edited](QDialog* dialog) {
        edited = dialog->objectName() == "EditDialog";
        dialog->reject();
    });
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(edited);

    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->model()->rowCount(), 4);
    EXPECT_EQ(form.Window().Catalogue().Count(), 4);
    EXPECT_TRUE(form.isWindowModified());
}

TEST_F(DesktopTest, SearchKeysAndMnemonicsOnEveryMenuItem) {
    SavePrefs(TPrefs(), registry_);
    TMainForm& form = Start();
    EXPECT_EQ(Action("M_Search")->shortcut(), QKeySequence("Ctrl+F"));
    EXPECT_EQ(Action("M_AdvancedSearch")->shortcut(), QKeySequence("Ctrl+Shift+F"));
    EXPECT_EQ(Action("M_Search")->text(), "&Search...");
    EXPECT_EQ(Action("M_ForceRefresh")->text().remove('&'), "Force Refresh Views!");
    std::vector<QMenu*> menus{form.findChild<QMenu*>("PopupMenu")};
    for (QAction* top : form.menuBar()->actions())
        menus.push_back(top->menu());
    for (QMenu* menu : menus) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            const QString text = action->text();
            const qsizetype at = text.indexOf('&');
            EXPECT_TRUE(at >= 0 && at + 1 < text.size()) << text.toStdString();
        }
    }
}

TEST_F(DesktopTest, QuickFilterShowsMatchingRowsOnlyAndCommandsSeeTheRealRecords) {
    SavePrefs(TPrefs(), registry_);
    TMainForm& form = Start({MakeCatalogue("filter.tracklore", 12)});  // titles T0..T11
    auto* box = form.findChild<QLineEdit*>("QF_Filter");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->placeholderText(), "Filter");
    QTableView* list = form.AllListView();

    // A hidden selected row leaves the selection, so no command acts on what is not shown.
    list->selectRow(0);
    QTest::keyClicks(box, "t1");  // T1, T10, T11
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->model()->index(1, 3).data().toString(), "T10");
    EXPECT_EQ(form.Window().Views().AllList().SelectedCount(), 0);

    // Deleting the second row shown deletes T10, the record it shows.
    list->selectRow(1);
    ASSERT_EQ(form.Window().Views().AllList().SelectedCount(), 1);
    Action("M_Delete")->trigger();
    EXPECT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(form.Window().Catalogue().Count(), 11);
    for (int row = 0; row < form.Window().Views().AllList().RowCount(); ++row)
        EXPECT_NE(form.Window().Views().AllList().Row(row).Texts[3], "T10");

    // Escape clears the box; Ctrl+L comes back to it.
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(list->model()->rowCount(), 11);
    auto* focus = form.findChild<QShortcut*>("QF_Focus");
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->key(), QKeySequence("Ctrl+L"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    list->setFocus();
    emit focus->activated();
    EXPECT_EQ(form.focusWidget(), box);
}

TEST_F(DesktopTest, ToolButtonsTakeThemeIconsAndLookDisabledWhenOff) {
    SavePrefs(TPrefs(), registry_);
    const QStringList paths = QIcon::themeSearchPaths();
    const QString theme = QIcon::themeName();
    QIcon::setThemeSearchPaths({QString::fromStdString(dir_.Root())});
    QIcon::setThemeName("nothing-installed");  // no theme: the style's pictures stand in
    TMainForm& form = Start();
    QIcon::setThemeName(theme);
    QIcon::setThemeSearchPaths(paths);
    for (const char* name :
         {"TB_New", "TB_Open", "TB_Save", "TB_Scan", "TB_Search", "TB_Delete", "TB_Edit"})
        EXPECT_FALSE(Action(name)->icon().isNull()) << name;
    auto* edit = form.findChild<QToolButton*>("TB_Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(edit->isEnabled());
    const QIcon icon = Action("TB_Edit")->icon();
    EXPECT_NE(icon.pixmap(QSize(24, 24), QIcon::Disabled).toImage(),
              icon.pixmap(QSize(24, 24), QIcon::Normal).toImage());
}

TEST_F(DesktopTest, ColumnsFollowTheFontAndKeepTheUsersOrderAndWidths) {
    SavePrefs(TPrefs(), registry_);
    TMainForm& form = Start();
    QHeaderView* header = form.AllListView()->horizontalHeader();
    EXPECT_TRUE(header->sectionsMovable());
    const int artist = header->sectionSize(2);
    QFont big = form.AllListView()->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    form.ApplyViewLook(big, Qt::black, Qt::white);
    EXPECT_GT(header->sectionSize(2), artist * 3 / 2);

    header->moveSection(header->visualIndex(3), 0);  // Title first
    header->resizeSection(3, 321);
    Close();
    TMainForm& again = Start();
    QHeaderView* restored = again.AllListView()->horizontalHeader();
    EXPECT_EQ(restored->logicalIndex(0), 3);
    EXPECT_EQ(restored->sectionSize(3), 321);
    EXPECT_EQ(restored->logicalIndex(1), 0);
}

TEST_F(DesktopTest, ResultWindowsCascadeAndHaveTheListsRowHeight) {
    SavePrefs(TPrefs(), registry_);
    TMainForm& form = Start({MakeCatalogue("result.tracklore", 3)});
    form.show();
    std::vector<QMainWindow*> windows;
    for (int i = 0; i < 2; ++i) {
        ShowSelectFormQt(SelectFormHost(form),
                         std::make_unique<TSelectForm>(form.Window().Catalogue()));
        for (QMainWindow* window : form.findChildren<QMainWindow*>("SelectForm"))
            if (std::find(windows.begin(), windows.end(), window) == windows.end())
                windows.push_back(window);
    }
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1]->pos(), windows[0]->pos() + QPoint(28, 28));
    auto* rows = windows[1]->findChild<QTableView*>("LV_Database");
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->verticalHeader()->defaultSectionSize(),
              form.AllListView()->verticalHeader()->defaultSectionSize());
    for (QMainWindow* window : windows)
        delete window;
}

TEST(WindowSizes, ScanErrorListComesBackAtTheSizeTheUserGaveIt) {
    QSize first;
    test::WhenModal<QDialog>([&first](QDialog* dialog) {
        EXPECT_TRUE(dialog->isSizeGripEnabled());
        first = dialog->size();
        dialog->resize(first + QSize(120, 80));
        dialog->accept();
    });
    ShowScanErrorDialog(nullptr, {"Files not added due to errors:", "---", "/m/x.mp3  -  bad"});
    QSize second;
    test::WhenModal<QDialog>([&second](QDialog* dialog) {
        second = dialog->size();
        dialog->accept();
    });
    ShowScanErrorDialog(nullptr, {"Files not added due to errors:", "---"});
    EXPECT_EQ(second, first + QSize(120, 80));
}

TEST(WindowSizes, KeysAreKeptApart) {
    QWidget one;
    one.resize(300, 200);
    KeepSize(one, "TestOne");
    one.resize(333, 222);
    one.show();
    one.hide();
    QWidget other;
    other.resize(100, 100);
    KeepSize(other, "TestOther");
    EXPECT_EQ(other.size(), QSize(100, 100));
    QWidget again;
    KeepSize(again, "TestOne");
    EXPECT_EQ(again.size(), QSize(333, 222));
}

}  // namespace
}  // namespace tracklore::ui
