// Wiring of the Qt main window: menus and tool bar from the command table, the command mask,
// the views over the core, header clicks, selection, drops and tree expansion (offscreen).
#include "ui/main_window_qt.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "tests/support/env_guard.h"
#include "tests/support/mp3_factory.h"
#include "tests/support/mpeg_frames.h"
#include "tests/support/record_builder.h"
#include "tests/support/require_tool.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/prefs.h"
#include "ui/shell_qt.h"
#include "ui/views_qt.h"

namespace tracklore::ui {
namespace {

using test::TTempDir;

TrackRecord Track(const char* artist, const char* album, const char* title) {
    return test::MakeRecord({.Volume = "MUSIC",
                             .Filename = std::string("/") + title + ".mp3",
                             .Artist = artist,
                             .Title = title,
                             .Album = album,
                             .PlayLength = 185});
}

class MainFormTest : public testing::Test {
protected:
    MainFormTest() {
        // A complete store, so start-up has no first-run message box to answer.
        SavePrefs(TPrefs(), registry_);
    }

    // A catalogue file with four records by three artists.
    std::string MakeCatalogue() {
        TTracklore catalogue;
        for (TrackRecord record : {Track("Zed", "Blue", "One"), Track("Aqua", "Aquarium", "Two"),
                                   Track("Aqua", "Aquarium", "Three"), Track("Moby", "", "Four")})
            catalogue.Insert(record);
        const std::string path = dir_.Path("music.tracklore");
        catalogue.SaveToFile(path);
        return path;
    }

    TMainForm& Start(const std::vector<std::string>& args = {}) {
        form_ = std::make_unique<TMainForm>(registry_);
        form_->Start(args);
        return *form_;
    }

    QAction* Action(const char* name) const { return form_->findChild<QAction*>(name); }

    QString Cell(QTableView* view, int row, int column) const {
        return view->model()->index(row, column).data().toString();
    }

    void SelectRows(QTableView* view, int first, int last) const {
        const QModelIndex top = view->model()->index(first, 0);
        const QModelIndex bottom = view->model()->index(last, kColumnCount - 1);
        view->selectionModel()->select(QItemSelection(top, bottom),
                                       QItemSelectionModel::ClearAndSelect);
    }

    TTempDir dir_;
    std::string registry_ = dir_.Path("tracklore.reg");
    test::TEnvGuard registryVariable_{"TRACKLORE_REGISTRY", registry_};
    std::unique_ptr<TMainForm> form_;
};

TEST_F(MainFormTest, MenusAndToolBarCarryCaptionsAndNames) {
    TMainForm& form = Start();
    QStringList menus;
    for (QAction* menu : form.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Items", "&List", "&View", "&Tools", "&Help"}));

    ASSERT_NE(Action("M_FileOpen"), nullptr);
    EXPECT_EQ(Action("M_FileOpen")->text(), "&Open...");
    EXPECT_EQ(Action("M_FileOpen")->shortcut(), QKeySequence("Ctrl+O"));
    ASSERT_NE(Action("M_FileSave"), nullptr);
    EXPECT_EQ(Action("M_FileSave")->statusTip(), "Save current file");
    ASSERT_NE(Action("PM_Edit"), nullptr);
    ASSERT_NE(form.findChild<QMenu*>("M_FileExport"), nullptr);

    auto* save = form.findChild<QToolButton*>("TB_Save");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(save->defaultAction()->statusTip(), "Save current database to disk");
    EXPECT_EQ(form.windowTitle(), "Corvane Tracklore - Untitled[*]");
    EXPECT_EQ(form.Pages()->currentIndex(), 0);
}

TEST_F(MainFormTest, KeyboardFocusFollowsTheShownPage) {
    TMainForm& form = Start();
    EXPECT_EQ(form.focusWidget(), form.AllListView());
    Action("M_ViewTree")->trigger();
    EXPECT_EQ(form.focusWidget(), form.TreeView());
    form.Pages()->setCurrentIndex(2);  // a click on the page's tab
    EXPECT_EQ(form.focusWidget(), form.SelectedListView());
}

TEST_F(MainFormTest, StoredLookReachesAllThreeViewsAndListColumnsGetTheirWidths) {
    TPrefs prefs;
    prefs.ListBkColor = 0x00332211;  // 0x00BBGGRR
    prefs.ListFont.Size = 14;
    prefs.ListFont.Color = 0x00000080;
    prefs.ListFont.Style = kFontBold;
    SavePrefs(prefs, registry_);
    TMainForm& form = Start();
    for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{
             form.AllListView(), form.SelectedListView(), form.TreeView()}) {
        EXPECT_EQ(view->palette().color(QPalette::Base), QColor(0x11, 0x22, 0x33))
            << view->objectName().toStdString();
        EXPECT_EQ(view->palette().color(QPalette::Text), QColor(0x80, 0, 0));
        EXPECT_EQ(view->font().pointSize(), 14);
        EXPECT_TRUE(view->font().bold());
    }
    // The 100-pixel columns grew with the larger bold font, all alike.
    EXPECT_GT(form.AllListView()->columnWidth(1), 100);  // Volume
    EXPECT_EQ(form.SelectedListView()->columnWidth(8), form.AllListView()->columnWidth(1));
}

TEST_F(MainFormTest, StartUpWarningIsNotHiddenBehindTheSplash) {
    bool warned = false;
    test::WhenModal<QMessageBox>([&warned](QMessageBox* box) {
        warned = true;
        for (QWidget* window : QApplication::topLevelWidgets())
            EXPECT_FALSE(window->objectName() == "SplashBox" && window->isVisible());
        // The main window is not shown yet: the box is placed on the screen, not on it.
        EXPECT_EQ(box->parentWidget(), nullptr);
        box->accept();
    });
    TMainForm& form = Start({dir_.Path("missing.tracklore")});
    EXPECT_TRUE(warned);
    EXPECT_EQ(form.windowTitle(), "Corvane Tracklore - Untitled[*]");
}

TEST_F(MainFormTest, OpenDialogStartsAtHomeWhenTheLastFolderIsGone) {
    const test::TEnvGuard home("HOME", dir_.Root());
    TMainForm& form = Start();
    form.Window().Prefs().LastDir = dir_.Path("gone");
    QString shown;
    test::WhenModal<QFileDialog>([&shown](QFileDialog* dialog) {
        shown = dialog->directory().absolutePath();
        dialog->reject();
    });
    Action("M_FileOpen")->trigger();
    EXPECT_EQ(shown, QDir(QString::fromStdString(dir_.Root())).absolutePath());
}

TEST_F(MainFormTest, StartMaskDisablesSelectionCommands) {
    Start();
    for (const char* name : {"M_FileSave", "M_FileOpen", "TB_Scan", "M_New", "M_Print"})
        EXPECT_TRUE(Action(name)->isEnabled()) << name;
    for (const char* name : {"TB_Edit", "TB_Delete", "M_Play", "PM_AddToPL"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
}

TEST_F(MainFormTest, MaskOfZeroLeavesUnmaskedControlsOn) {
    TMainForm& form = Start();
    form.ApplyCommandMask(0);
    EXPECT_FALSE(Action("M_FileOpen")->isEnabled());
    EXPECT_FALSE(Action("TB_Search")->isEnabled());
    EXPECT_TRUE(Action("M_Exit")->isEnabled());
    form.ApplyCommandMask(0xFFFF);
    EXPECT_TRUE(Action("TB_Edit")->isEnabled());
    EXPECT_FALSE(Action("M_AddItemsToSelected")->isEnabled());
}

TEST_F(MainFormTest, CatalogueOpenedAtStartFillsListAndTreeTopLevel) {
    const std::string path = MakeCatalogue();
    TMainForm& form = Start({path});
    EXPECT_EQ(form.windowTitle(), QString::fromStdString("Corvane Tracklore - " + path) + "[*]");
    ASSERT_EQ(form.AllListView()->model()->rowCount(), 4);
    EXPECT_EQ(Cell(form.AllListView(), 0, 2), "Zed");
    EXPECT_EQ(Cell(form.AllListView(), 0, 9), "3:05");
    EXPECT_EQ(form.AllListView()->model()->index(1, 0).data(Qt::UserRole).toInt(), 2);

    QAbstractItemModel* tree = form.TreeView()->model();
    ASSERT_EQ(tree->rowCount(), 3);
    EXPECT_EQ(tree->index(0, 0).data().toString(), "Aqua");
    EXPECT_TRUE(tree->hasChildren(tree->index(0, 0)));
    EXPECT_TRUE(Action("TB_Search")->isEnabled());
}

TEST_F(MainFormTest, HeaderClickReordersRowsAndSelectionFollows) {
    TMainForm& form = Start({MakeCatalogue()});
    QTableView* list = form.AllListView();
    SelectRows(list, 0, 0);                            // "Zed", first in ID order
    emit list->horizontalHeader()->sectionClicked(2);  // Artist
    EXPECT_EQ(Cell(list, 0, 2), "Aqua");
    EXPECT_EQ(Cell(list, 3, 2), "Zed");
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first().row(), 3);
    EXPECT_TRUE(form.Window().Views().AllList().Row(3).Selected);
}

TEST_F(MainFormTest, HeaderShowsTheSortArrowUntilARebuild) {
    TMainForm& form = Start({MakeCatalogue()});
    QHeaderView* header = form.AllListView()->horizontalHeader();
    EXPECT_FALSE(header->isSortIndicatorShown());
    emit header->sectionClicked(11);  // Filesize
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 11);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    emit header->sectionClicked(11);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    form.RunCommand(TCommandId::ForceRefresh);
    EXPECT_FALSE(header->isSortIndicatorShown());
    QHeaderView* selected = form.SelectedListView()->horizontalHeader();
    emit selected->sectionClicked(9);
    EXPECT_TRUE(selected->isSortIndicatorShown());
    EXPECT_EQ(selected->sortIndicatorSection(), 9);
}

TEST_F(MainFormTest, TurningThePageDrivesEditAndDeleteFromTheViewInFront) {
    TMainForm& form = Start({MakeCatalogue()});
    SelectRows(form.AllListView(), 1, 1);
    EXPECT_TRUE(Action("TB_Edit")->isEnabled());
    form.Pages()->setCurrentIndex(static_cast<int>(TPage::Tree));
    EXPECT_FALSE(Action("TB_Edit")->isEnabled());
    EXPECT_FALSE(Action("M_Play")->isEnabled());
    form.Pages()->setCurrentIndex(static_cast<int>(TPage::List));
    EXPECT_TRUE(Action("TB_Edit")->isEnabled());
    EXPECT_TRUE(Action("M_New")->isEnabled());
}

TEST_F(MainFormTest, SelectingRowsDrivesEditAndDelete) {
    TMainForm& form = Start({MakeCatalogue()});
    SelectRows(form.AllListView(), 1, 1);
    EXPECT_TRUE(Action("TB_Edit")->isEnabled());
    EXPECT_TRUE(Action("TB_Delete")->isEnabled());
    EXPECT_EQ(form.Window().Views().SelectedIds(TViewSource::AllList), std::vector<int32_t>{2});

    form.AllListView()->selectAll();
    EXPECT_FALSE(Action("TB_Edit")->isEnabled());
    EXPECT_TRUE(Action("TB_Delete")->isEnabled());
    EXPECT_TRUE(Action("M_Play")->isEnabled());
    EXPECT_EQ(form.Window().Views().SelectedIds(TViewSource::AllList).size(), 4u);

    form.AllListView()->clearSelection();
    EXPECT_FALSE(Action("TB_Delete")->isEnabled());
    EXPECT_TRUE(form.Window().Views().SelectedIds(TViewSource::AllList).empty());
}

TEST_F(MainFormTest, ExpandingAnArtistFillsItAndTitleSelectionEnablesEdit) {
    TMainForm& form = Start({MakeCatalogue()});
    form.Pages()->setCurrentIndex(static_cast<int>(TPage::Tree));
    QTreeView* view = form.TreeView();
    QAbstractItemModel* tree = view->model();
    const QModelIndex aqua = tree->index(0, 0);
    view->expand(aqua);
    ASSERT_EQ(tree->rowCount(aqua), 1);  // the album
    const QModelIndex album = tree->index(0, 0, aqua);
    EXPECT_EQ(album.data().toString(), "Aquarium");
    ASSERT_EQ(tree->rowCount(album), 2);
    EXPECT_EQ(aqua.data(Qt::UserRole).toInt(), -3);

    view->selectionModel()->select(album, QItemSelectionModel::ClearAndSelect);
    EXPECT_FALSE(Action("TB_Edit")->isEnabled());
    view->selectionModel()->select(tree->index(0, 0, album), QItemSelectionModel::ClearAndSelect);
    EXPECT_TRUE(Action("TB_Edit")->isEnabled());
}

TEST_F(MainFormTest, DroppedMp3FilesAreScannedAndOthersIgnored) {
    REQUIRE_TOOLS("lame");
    const std::string wav = dir_.Path("tone.wav");
    test::WriteWav(wav, 0.5, 44100, 1);
    test::LameEncode(wav, dir_.Path("a.mp3"), {"--tt", "Dropped"});
    test::LameEncode(wav, dir_.Path("B.MP3"), {});
    TMainForm& form = Start();

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir_.Path("a.mp3"))),
                  QUrl::fromLocalFile(QString::fromStdString(wav)),
                  QUrl::fromLocalFile(QString::fromStdString(dir_.Path("B.MP3")))});
    // The window takes a drop only after it accepted the drag entering it.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);

    ASSERT_EQ(form.AllListView()->model()->rowCount(), 2);
    EXPECT_EQ(Cell(form.AllListView(), 0, 3), "Dropped");
    EXPECT_TRUE(form.Window().Modified());
}

TEST_F(MainFormTest, CancelButtonAndEscapeStopARunningFolderScan) {
    const std::string folder = dir_.Path("music");
    std::filesystem::create_directory(folder);
    const std::vector<uint8_t> frames = test::Frames(test::kMp3Header128, 417, 40);
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        test::WriteFileBytes(folder + "/" + name, std::string(frames.begin(), frames.end()));
    TMainForm& form = Start();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    for (const bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "Escape" : "Cancel button");
        test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            dialog->setDirectory(QString::fromStdString(folder));
            static_cast<QDialog*>(dialog)->accept();
        });
        // Timers run only where the scan lets messages run, before each file: the user
        // stops the scan as soon as its Cancel button shows.
        bool stopped = false;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto* button = form.findChild<QPushButton*>("B_CancelScan");
            if (stopped || button == nullptr || !button->isVisible()) return;
            stopped = true;
            if (byEscape) {
                // The window is active again once the folder chooser has gone, as on a
                // desktop; the offscreen platform must be told.
                form.activateWindow();
                EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
                QTest::keyClick(&form, Qt::Key_Escape);
            } else {
                button->click();
            }
        });
        user.start(0);
        form.RunCommand(TCommandId::AddDir);
        user.stop();

        EXPECT_TRUE(stopped);
        EXPECT_EQ(form.Window().Catalogue().Count(), 0);
        EXPECT_EQ(form.statusBar()->currentMessage(), "Scan cancelled: 0 files added");
        EXPECT_FALSE(form.findChild<QPushButton*>("B_CancelScan")->isVisible());
        EXPECT_FALSE(form.findChild<QShortcut*>("EscapeCancelScan")->isEnabled());
    }

    // Without a click the same folder is scanned whole.
    test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        dialog->setDirectory(QString::fromStdString(folder));
        static_cast<QDialog*>(dialog)->accept();
    });
    form.RunCommand(TCommandId::AddDir);
    EXPECT_EQ(form.Window().Catalogue().Count(), 3);

    // Later file dialogs open where the chooser was last: not in this test's folder, which
    // is removed at its end.
    QFileDialog reset;
    reset.setDirectory(QDir::tempPath());
}

TEST_F(MainFormTest, CloseDuringACommandWaitsForItsEnd) {
    TMainForm& form = Start({MakeCatalogue()});
    form.show();
    bool visibleWhenRefreshEnded = false;
    // The rebuild lets pending messages run: the queued close arrives in the middle of it.
    QMetaObject::invokeMethod(
        &form, [&form] { form.close(); }, Qt::QueuedConnection);
    form.RunCommand(TCommandId::ForceRefresh);
    visibleWhenRefreshEnded = form.isVisible();
    EXPECT_EQ(form.AllListView()->model()->rowCount(), 4);
    QApplication::processEvents();
    EXPECT_TRUE(visibleWhenRefreshEnded);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, CommandsArrivingDuringACommandAreRefused) {
    TMainForm& form = Start({MakeCatalogue()});
    int sortedDuringRefresh = 0;
    // A header click delivered while the rebuild lets messages run must not sort the list
    // the rebuild is filling.
    QMetaObject::invokeMethod(
        &form,
        [&] {
            emit form.AllListView()->horizontalHeader()->sectionClicked(2);
            sortedDuringRefresh = form.Window().Views().AllList().SortColumn;
        },
        Qt::QueuedConnection);
    form.RunCommand(TCommandId::ForceRefresh);
    EXPECT_EQ(sortedDuringRefresh, 0);
    EXPECT_EQ(Cell(form.AllListView(), 0, 2), "Zed");
}

TEST(ListModel, ShowsNoRowsWhileTheCoreListIsRefilled) {
    TListView list(false);
    TListModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.AddRow(Track("Zed", "Blue", "One"));
    const QModelIndex stale = model.index(0, 2);
    list.BeginUpdate();
    list.Clear();
    list.AddRow(Track("Aqua", "Aquarium", "Two"));
    list.AddRow(Track("Moby", "", "Four"));
    // A view painting stale rows meanwhile must get nothing, not rows of the half-built list.
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.data(stale).isValid());
    list.EndUpdate();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(1, 2).data().toString(), "Moby");
}

TEST(ListModel, ReportsSingleRowChanges) {
    TListView list(false);
    TListModel model(list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    list.AddRow(Track("Zed", "Blue", "One"));
    list.AddRow(Track("Aqua", "Aquarium", "Two"));
    list.UpdateRowTexts(1, Track("Aqua", "Aquarium", "Renamed"));
    list.DeleteRow(0);
    EXPECT_EQ(inserted.size(), 2);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(removed.size(), 1);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, 3).data().toString(), "Renamed");
}

TEST(TreeModel, FollowsNodesAddedAndPruned) {
    TTreeView tree;
    TTreeModel model(tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    TTreeNode* artist = tree.AddNode(nullptr, "Aqua", 0, -1);
    TTreeNode* album = tree.AddNode(artist, "Aquarium", 1, -2);
    tree.AddNode(album, "Barbie Girl", 2, 7);
    const QModelIndex albumIndex = model.index(0, 0, model.index(0, 0));
    ASSERT_EQ(model.rowCount(albumIndex), 1);
    EXPECT_EQ(model.parent(model.index(0, 0, albumIndex)), albumIndex);
    EXPECT_EQ(model.index(0, 0, albumIndex).data(Qt::UserRole).toInt(), 7);
    tree.DeleteNode(album);
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
}

TEST(FileFilterText, JoinsDescriptionAndPatterns) {
    EXPECT_EQ(FileFilterText("CSV-files", "*.csv"), "CSV-files (*.csv)");
    EXPECT_EQ(FileFilterText("Music", "*.mp3;*.mp2"), "Music (*.mp3 *.mp2)");
}

TEST(FileFilterText, PutsTheRealPatternsIntoADescriptionsOwnParenthesis) {
    // "*.*" would hide files without a dot; Qt filters by the last parentheses.
    EXPECT_EQ(FileFilterText("All Files (*.*)", "*"), "All Files (*)");
    EXPECT_EQ(FileFilterText("All Files (**)", "*"), "All Files (*)");
    EXPECT_EQ(FileFilterText("MPEG Layer-3 files (*.mp3)", "*.mp3"), "MPEG Layer-3 files (*.mp3)");
}

}  // namespace
}  // namespace tracklore::ui
