// Wiring of the search dialogs and the result window: model in, widgets shown, model out.
#include "search/search_dialogs_qt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "search/dialog_fields.h"
#include "search/duplicates_dialog.h"
#include "search/duplicates_dialog_qt.h"
#include "search/saved_searches.h"
#include "search/search_dialogs.h"
#include "search/select_form.h"
#include "search/select_form_qt.h"
#include "tests/support/record_builder.h"
#include "tests/support/scripted_shell.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/main_window_qt.h"
#include "ui/shell_qt.h"

namespace tracklore {
namespace {

using test::Child;
using test::WhenModal;

TEST(SearchDialogQt, ShowsThePresetAndReadsBackWithMinusOne) {
    test::TScriptedShell shell;
    TSearchDialog dialog;
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    dialog.Preset(pattern);
    dialog.CKB_UseSelected = false;
    dialog.CKB_UseSelectedEnabled = false;
    WhenModal<QDialog>([](QDialog* form) {
        EXPECT_EQ(form->objectName(), "SearchDialog");
        EXPECT_EQ(form->windowTitle(), "Search Dialog");
        auto* id = Child<QLineEdit>(form, "MED_ID");
        EXPECT_EQ(id->text().trimmed(), "0");
        EXPECT_EQ(Child<QComboBox>(form, "CB_Genre")->currentText(), "(none)");
        EXPECT_FALSE(Child<QCheckBox>(form, "CKB_UseSelected")->isEnabled());
        EXPECT_EQ(Child<QLineEdit>(form, "ED_Artist")->toolTip(),
                  "Enter the name of the artist you wish to locate");
        id->selectAll();
        QTest::keyClicks(id, "-1");
        Child<QLineEdit>(form, "ED_Title")->setText("mirror");
        Child<QComboBox>(form, "CB_Genre")->setEditText("");
        QTest::mouseClick(Child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
    });
    ASSERT_TRUE(ExecuteSearchDialogQt(nullptr, dialog, shell));
    dialog.ReadBack(pattern);
    EXPECT_EQ(pattern.ID, -1);
    EXPECT_EQ(pattern.Title, "mirror");
    EXPECT_EQ(pattern.Genre, kGenreNone);
}

TEST(SearchDialogQt, ReturnInTheGenreBoxKeepsTheGenreAsTyped) {
    test::TScriptedShell shell;
    TSearchDialog dialog;
    TrackRecord pattern;
    pattern.Genre = kGenreNone;
    dialog.Preset(pattern);
    WhenModal<QDialog>([](QDialog* form) {
        auto* genre = Child<QComboBox>(form, "CB_Genre");
        genre->setFocus();
        genre->lineEdit()->selectAll();
        QTest::keyClicks(genre->lineEdit(), "rock");
        QTest::keyClick(genre->lineEdit(), Qt::Key_Return);
        if (form->isVisible()) form->accept();
    });
    ASSERT_TRUE(ExecuteSearchDialogQt(nullptr, dialog, shell));
    // The lookup is exact: "rock" names no genre, so it sets no genre condition.
    EXPECT_EQ(dialog.CB_Genre, "rock");
    dialog.ReadBack(pattern);
    EXPECT_EQ(pattern.Genre, kGenreNone);
}

TEST(SearchDialogQt, CancelKeepsTheModel) {
    test::TScriptedShell shell;
    TSearchDialog dialog;
    dialog.ED_Artist = "kept";
    WhenModal<QDialog>([](QDialog* form) {
        Child<QLineEdit>(form, "ED_Artist")->setText("typed");
        QTest::mouseClick(Child<QPushButton>(form, "CancelBtn"), Qt::LeftButton);
    });
    EXPECT_FALSE(ExecuteSearchDialogQt(nullptr, dialog, shell));
    EXPECT_EQ(dialog.ED_Artist, "kept");
}

TEST(SearchDialogQt, OkWithTheIdEmptiedStaysOpenWithTheTextsTyped) {
    test::TScriptedShell shell;
    TSearchDialog dialog;
    dialog.Preset(TrackRecord());
    WhenModal<QDialog>([&](QDialog* form) {
        auto* id = Child<QLineEdit>(form, "MED_ID");
        auto* artist = Child<QLineEdit>(form, "ED_Artist");
        id->clear();
        artist->setText("beat");
        QTest::mouseClick(Child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(shell.MessageTexts(),
                  std::vector<std::string>{"ID field: '' is not a valid integer value"});
        EXPECT_EQ(artist->text(), "beat");
        QTest::keyClicks(id, "-1");
        QTest::mouseClick(Child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
    });
    ASSERT_TRUE(ExecuteSearchDialogQt(nullptr, dialog, shell));
    EXPECT_EQ(shell.Messages.size(), 1u);
    EXPECT_EQ(dialog.ED_Artist, "beat");
    EXPECT_EQ(IdFromFieldText(dialog.MED_ID), -1);
}

TEST(AdvancedSearchQt, TestButtonShowsTheTypeErrorInTheParsedLabel) {
    test::TScriptedShell shell;
    TSearchDialog2 dialog;
    WhenModal<QDialog>([](QDialog* form) {
        EXPECT_EQ(form->windowTitle(), "Advanced search...");
        auto* help = Child<QPlainTextEdit>(form, "M_inst");
        EXPECT_TRUE(help->isReadOnly());
        EXPECT_TRUE(help->toPlainText().startsWith("The advanced search facility"));
        Child<QLineEdit>(form, "E_Expr")->setText("year>=1992");
        QTest::mouseClick(Child<QPushButton>(form, "B_Test"), Qt::LeftButton);
        EXPECT_EQ(Child<QLabel>(form, "L_Parsed")->text(),
                  "Type error in \"year >= 1992\"\nYEAR is text: write year>=\"1992\"");
        EXPECT_TRUE(form->isVisible());
        QTest::mouseClick(Child<QPushButton>(form, "B_Cancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(ExecuteAdvancedSearchQt(nullptr, dialog, shell));
    EXPECT_EQ(dialog.Tree, nullptr);
    EXPECT_EQ(dialog.E_Expr, "year>=1992");
}

TEST(AdvancedSearchQt, BadExpressionKeepsTheDialogOpenUntilFixed) {
    test::TScriptedShell shell;
    shell.MessageAnswers.push_back(ui::TModalResult::OK);
    TSearchDialog2 dialog;
    dialog.CKB_UseSelected = true;
    dialog.CKB_UseSelectedEnabled = true;
    WhenModal<QDialog>([&](QDialog* form) {
        auto* expr = Child<QLineEdit>(form, "E_Expr");
        expr->setText("title~=");
        QTest::mouseClick(Child<QPushButton>(form, "B_Search"), Qt::LeftButton);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(shell.Messages.size(), 1u);
        EXPECT_EQ(expr->text(), "title~=");
        Child<QCheckBox>(form, "CKB_UseSelected")->setChecked(false);
        expr->setText("title~=\"mirror\"");
        QTest::mouseClick(Child<QPushButton>(form, "B_Search"), Qt::LeftButton);
    });
    ASSERT_TRUE(ExecuteAdvancedSearchQt(nullptr, dialog, shell));
    ASSERT_EQ(shell.Messages.size(), 1u);
    EXPECT_EQ(shell.Messages[0].Caption, "Error parsing");
    EXPECT_NE(dialog.Tree, nullptr);
    EXPECT_FALSE(dialog.CKB_UseSelected);
}

TEST(AdvancedSearchQt, ChecksAfterAPauseAndOffersSavedSearches) {
    test::TTempDir dir;
    test::TScriptedShell shell;
    TSearchDialog2 dialog;
    dialog.RegistryFile = dir.Path("prefs.reg");
    SaveSearch(dialog.RegistryFile, "Long", "time>=3:00");
    dialog.LoadSaved();
    WhenModal<QDialog>([&](QDialog* form) {
        auto* expr = Child<QLineEdit>(form, "E_Expr");
        auto* check = Child<QLabel>(form, "L_Check");
        auto* timer = form->findChild<QTimer*>("T_Check");
        ASSERT_NE(timer, nullptr);
        expr->setText("time>=3:60");
        EXPECT_TRUE(timer->isActive());  // the check waits for a pause in typing
        ASSERT_TRUE(QMetaObject::invokeMethod(form, "CheckNow"));
        EXPECT_FALSE(timer->isActive());
        EXPECT_EQ(check->text(),
                  "[9] Minutes and seconds after a colon must be two digits, 00 to 59");
        EXPECT_EQ(expr->property("check").toString(), "invalid");
        const QColor red = expr->palette().color(QPalette::Base);
        expr->setText("time>=3:00");
        ASSERT_TRUE(QMetaObject::invokeMethod(form, "CheckNow"));
        EXPECT_EQ(check->text(), "time >= 180");
        EXPECT_EQ(expr->property("check").toString(), "valid");
        EXPECT_NE(expr->palette().color(QPalette::Base), red);
        QTest::mouseClick(Child<QPushButton>(form, "B_Test"), Qt::LeftButton);
        EXPECT_EQ(Child<QLabel>(form, "L_Parsed")->text(), "time >= 180");

        auto* saved = Child<QComboBox>(form, "CB_Saved");
        ASSERT_EQ(saved->count(), 1);
        expr->setText("artist~=\"x\"");
        emit saved->textActivated("Long");
        EXPECT_EQ(expr->text(), "time>=3:00");
        EXPECT_EQ(check->text(), "time >= 180");

        expr->setText("filesize>5MB");
        WhenModal<QInputDialog>([](QInputDialog* input) {
            input->setTextValue(" Big ");
            input->accept();
        });
        QTest::mouseClick(Child<QPushButton>(form, "B_Save"), Qt::LeftButton);
        EXPECT_EQ(saved->count(), 2);
        EXPECT_EQ(saved->currentText(), "Big");
        QTest::mouseClick(Child<QPushButton>(form, "B_Cancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(ExecuteAdvancedSearchQt(nullptr, dialog, shell));
    EXPECT_TRUE(shell.Messages.empty());
    std::string expression;
    ASSERT_TRUE(FindSavedSearch(dialog.RegistryFile, "big", expression));
    EXPECT_EQ(expression, "filesize>5MB");
}

TEST(SelectFormQt, ShowsTheRowsAndSortsOnHeaderClick) {
    test::TTempDir dir;
    ui::TMainForm mainForm(dir.Path("prefs.reg"));
    TTracklore catalogue;
    for (const char* artist : {"b", "a", "c"}) {
        TrackRecord record = test::MakeRecord({.Artist = artist, .PlayLength = 185});
        catalogue.Insert(record);
    }
    ShowSelectFormQt(ui::SelectFormHost(mainForm), std::make_unique<TSelectForm>(catalogue));
    auto* window = mainForm.findChild<QMainWindow*>("SelectForm");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowTitle(), "SelectForm");
    auto* view = Child<QTableView>(window, "LV_Database");
    QAbstractItemModel* model = view->model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 11);
    EXPECT_EQ(model->headerData(10, Qt::Horizontal).toString(), "Quality");
    EXPECT_EQ(model->index(0, 9).data().toString(), "3:05");
    EXPECT_EQ(model->index(0, 0).data(Qt::UserRole).toInt(), 1);

    QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(view->horizontalHeader()->sectionViewportPosition(2) + 5, 5));
    EXPECT_EQ(model->index(0, 2).data().toString(), "a");
    EXPECT_EQ(model->index(2, 2).data().toString(), "c");

    auto* within = window->findChild<QAction*>("M_SearchWithin");
    ASSERT_NE(within, nullptr);
    EXPECT_EQ(within->toolTip(), "Search within  this view");
    QPointer<QMainWindow> guard(window);
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST(SelectFormQt, AWindowOfGroupsShowsTheGroupFirst) {
    test::TTempDir dir;
    ui::TMainForm mainForm(dir.Path("prefs.reg"));
    std::vector<TrackRecord> records(3);
    records[0].ID = 7;
    records[1].ID = 3;
    records[2].ID = 5;
    ShowSelectFormQt(ui::SelectFormHost(mainForm),
                     std::make_unique<TSelectForm>(records, std::vector<int>{1, 1, 2}));
    auto* window = mainForm.findChild<QMainWindow*>("SelectForm");
    ASSERT_NE(window, nullptr);
    QAbstractItemModel* model = Child<QTableView>(window, "LV_Database")->model();
    ASSERT_EQ(model->columnCount(), 12);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Group");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "ID");
    EXPECT_EQ(model->index(2, 0).data().toString(), "2");
    EXPECT_EQ(model->index(2, 1).data().toString(), "5");
    EXPECT_EQ(model->index(2, 0).data(Qt::UserRole).toInt(), 5);
    window->close();
}

TEST(DuplicatesDialogQt, OkNeedsARuleAndReadsTheBoxesBack) {
    TDuplicatesDialog dialog;
    WhenModal<QDialog>([](QDialog* form) {
        EXPECT_EQ(form->windowTitle(), "Find duplicates");
        auto* ok = Child<QPushButton>(form, "B_OK");
        auto* tags = Child<QCheckBox>(form, "CKB_ArtistTitle");
        auto* size = Child<QCheckBox>(form, "CKB_SizeLength");
        EXPECT_TRUE(ok->isEnabled());
        tags->setChecked(false);
        size->setChecked(false);
        EXPECT_FALSE(ok->isEnabled());
        size->setChecked(true);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    ASSERT_TRUE(ExecuteDuplicatesDialogQt(nullptr, dialog));
    EXPECT_FALSE(dialog.CKB_ArtistTitle);
    EXPECT_TRUE(dialog.CKB_SizeLength);
}

TEST(SelectFormQt, SelectionFollowsItsRecordWhenTheRowsAreSorted) {
    test::TTempDir dir;
    ui::TMainForm mainForm(dir.Path("prefs.reg"));
    TTracklore catalogue;
    for (const char* artist : {"b", "a", "c"}) {
        TrackRecord record = test::MakeRecord(artist);
        catalogue.Insert(record);
    }
    ShowSelectFormQt(ui::SelectFormHost(mainForm), std::make_unique<TSelectForm>(catalogue));
    auto* window = mainForm.findChild<QMainWindow*>("SelectForm");
    ASSERT_NE(window, nullptr);
    auto* view = Child<QTableView>(window, "LV_Database");
    view->selectRow(0);  // artist "b", ID 1

    QHeaderView* header = view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 5, 5));
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0].row(), 1);
    EXPECT_EQ(selected[0].data(Qt::UserRole).toInt(), 1);
    EXPECT_EQ(view->currentIndex().data(Qt::UserRole).toInt(), 1);
    window->close();
}

}  // namespace
}  // namespace tracklore
