// Wiring of the "Edit entry" and "Statistics" dialogs: model in, widgets shown, model out.
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "search/edit_dialog.h"
#include "search/edit_dialog_qt.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/statistics.h"
#include "ui/statistics_qt.h"

namespace tracklore {
namespace {

using test::Child;
using test::WhenModal;

// The widget the Tab key moves to from `widget`.
QWidget* NextTabStop(QWidget* widget) {
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() ||
                              next->focusProxy() != nullptr))
        next = next->nextInFocusChain();
    return next;
}

TEditDialog PresetDialog() {
    TrackRecord record;
    record.ID = 123456789;
    record.Artist = "Abba";
    record.Year = "1997-98";
    record.Genre = 13;
    TEditDialog dialog;
    dialog.Preset(record);
    return dialog;
}

TEST(EditDialogQt, ShowsTheRecordWithAReadOnlyIdOutsideTheTabOrder) {
    TEditDialog model = PresetDialog();
    WhenModal<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->objectName(), "EditDialog");
        EXPECT_EQ(dialog->windowTitle(), "Edit entry");
        auto* id = Child<QLineEdit>(dialog, "MED_ID");
        EXPECT_EQ(id->text(), "123456789");
        EXPECT_TRUE(id->isReadOnly());
        EXPECT_FALSE(id->focusPolicy() & Qt::TabFocus);
        EXPECT_EQ(id->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(Child<QLineEdit>(dialog, "ED_Artist")->toolTip(),
                  "Enter the new artist name here");
        auto* genre = Child<QComboBox>(dialog, "CB_Genre");
        EXPECT_TRUE(genre->isEditable());
        EXPECT_EQ(genre->currentText(), "Pop");
        EXPECT_EQ(genre->itemText(1), "A capella");
        EXPECT_TRUE(Child<QPushButton>(dialog, "OKBtn")->isDefault());
        // Tab runs through the fields in their order, then to OK.
        EXPECT_EQ(NextTabStop(Child<QWidget>(dialog, "ED_Filename")),
                  Child<QWidget>(dialog, "OKBtn"));
        EXPECT_EQ(NextTabStop(Child<QWidget>(dialog, "ED_Title")),
                  Child<QWidget>(dialog, "MED_Year"));
        dialog->reject();
    });
    EXPECT_FALSE(ExecuteEditDialogQt(nullptr, model));
    EXPECT_EQ(model.ED_Artist, "Abba");
}

TEST(EditDialogQt, OkWritesTypedTextsBackAndKeepsAnUntouchedYear) {
    TEditDialog model = PresetDialog();
    WhenModal<QDialog>([](QDialog* dialog) {
        auto* artist = Child<QLineEdit>(dialog, "ED_Artist");
        artist->clear();
        QTest::keyClicks(artist, "ABBA");
        Child<QComboBox>(dialog, "CB_Genre")->setEditText("Disco");
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    ASSERT_TRUE(ExecuteEditDialogQt(nullptr, model));
    EXPECT_EQ(model.ED_Artist, "ABBA");
    EXPECT_EQ(model.CB_Genre, "Disco");
    EXPECT_EQ(model.MED_Year, "1997-98");
    EXPECT_EQ(model.MED_ID, "123456789");
}

TEST(EditDialogQt, TypedTwoDigitYearIsReadBackAsTwoDigits) {
    TEditDialog model = PresetDialog();
    WhenModal<QDialog>([](QDialog* dialog) {
        auto* year = Child<QLineEdit>(dialog, "MED_Year");
        year->selectAll();
        year->setFocus();
        QTest::keyClick(year, Qt::Key_Delete);
        year->home(false);
        QTest::keyClicks(year, "97");
        Child<QPushButton>(dialog, "OKBtn")->click();
    });
    ASSERT_TRUE(ExecuteEditDialogQt(nullptr, model));
    TrackRecord record;
    model.ReadBack(record);
    EXPECT_EQ(record.Year, "97");
}

TEST(EditDialogQt, ReturnInTheGenreBoxAcceptsTheGenreAsTyped) {
    TEditDialog model = PresetDialog();
    WhenModal<QDialog>([](QDialog* dialog) {
        auto* genre = Child<QComboBox>(dialog, "CB_Genre");
        genre->setFocus();
        genre->lineEdit()->selectAll();
        QTest::keyClicks(genre->lineEdit(), "rock");
        QTest::keyClick(genre->lineEdit(), Qt::Key_Return);
        if (dialog->isVisible()) dialog->reject();
    });
    ASSERT_TRUE(ExecuteEditDialogQt(nullptr, model));
    // Case counts in the lookup, so the box keeps the case that was typed.
    EXPECT_EQ(model.CB_Genre, "rock");
}

TEST(StatisticsQt, ShowsTheLabelsInTheirGroups) {
    ui::TStatisticsBox box;
    box.L_Filename = "/music/all.tracklore";
    box.L_Count = "3";
    box.L_TotalPlaytime = "1h 0m 1s";
    box.L_TotalStorageSize = "5120KB  =  5MB";
    WhenModal<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Statistics");
        auto* database = Child<QGroupBox>(dialog, "GB_Database");
        EXPECT_EQ(database->title(), " Database ");
        EXPECT_EQ(Child<QLabel>(database, "L_Filename")->text(), "/music/all.tracklore");
        auto* statistics = Child<QGroupBox>(dialog, "GB_Statistics");
        EXPECT_EQ(statistics->title(), " Statistics ");
        EXPECT_EQ(Child<QLabel>(statistics, "L_Count")->text(), "3");
        EXPECT_EQ(Child<QLabel>(statistics, "L_TotalPlaytime")->text(), "1h 0m 1s");
        EXPECT_EQ(Child<QLabel>(statistics, "L_TotalStorageSize")->text(), "5120KB  =  5MB");
        EXPECT_EQ(Child<QLabel>(statistics, "L_Filesize")->text(), "");
        auto* ok = Child<QPushButton>(dialog, "B_OK");
        EXPECT_EQ(ok->text(), "&OK");
        EXPECT_TRUE(ok->isDefault());
        ok->click();
    });
    ui::ShowStatisticsBox(nullptr, box);
}

}  // namespace
}  // namespace tracklore
