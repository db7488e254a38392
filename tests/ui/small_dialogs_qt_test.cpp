// Wiring of the small Qt dialogs: model in, widgets shown, model out.
#include "ui/small_dialogs_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "core/progress_box.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/browse_folder.h"
#include "ui/progress_box_qt.h"
#include "ui/settings_dialog.h"
#include "ui/settings_dialog_qt.h"
#include "ui/sort_dialog.h"
#include "ui/view_prefs_qt.h"

namespace tracklore::ui {
namespace {

using test::Child;
using test::WhenModal;

TEST(ViewPrefsQt, ExplicitColoursRoundTripExactly) {
    EXPECT_EQ(ToQColor(0x00123456), QColor(0x56, 0x34, 0x12));
    for (int32_t color : {0x00000000, 0x00FFFFFF, 0x00123456, 0x000000FF, 0x00FF0000})
        EXPECT_EQ(FromQColor(ToQColor(color)), color) << std::hex << color;
}

TEST(ViewPrefsQt, SystemColoursComeFromThePalette) {
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(ToQColor(kClWindow), palette.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(ToQColor(kClWindowText), palette.color(QPalette::Active, QPalette::Text));
    EXPECT_TRUE(ToQColor(static_cast<int32_t>(0x800000FF)).isValid());
}

TEST(ViewPrefsQt, FontNameSizeAndStyleBitsRoundTrip) {
    for (uint8_t style = 0; style < 16; ++style) {
        const TFontDesc desc{"DejaVu Serif", 13, 0x00102030, style};
        EXPECT_EQ(FromQFont(ToQFont(desc), ToQColor(desc.Color)), desc) << int(style);
    }
}

TEST(ViewPrefsQt, DefaultFaceResolvesToAnInstalledProportionalFace) {
    const QFontInfo info(ToQFont(TFontDesc{}));
    EXPECT_TRUE(QFontDatabase::families().contains(info.family())) << info.family().toStdString();
    EXPECT_FALSE(info.fixedPitch());
    EXPECT_EQ(info.pointSize(), 8);
}

TEST(ViewPrefsQt, NonPositiveSizeGivesAUsableFont) {
    EXPECT_GE(ToQFont(TFontDesc{"DejaVu Sans", 0, 0, 0}).pointSize(), 1);
    EXPECT_GE(ToQFont(TFontDesc{"DejaVu Sans", -12, 0, 0}).pointSize(), 1);
}

TEST(SettingsBoxQt, OpensOnTheScanningPageWithHelpDisabled) {
    TSettingsBox box;
    WhenModal<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Settings...");
        // Only Ok and Cancel end it: no close button on the title bar.
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        auto* pages = Child<QTabWidget>(dialog, "PageControl");
        EXPECT_EQ(pages->currentWidget()->objectName(), "TS_Scanning");
        EXPECT_FALSE(Child<QPushButton>(dialog, "B_Help")->isEnabled());
        EXPECT_TRUE(Child<QPushButton>(dialog, "B_Ok")->isDefault());
        EXPECT_EQ(Child<QLabel>(dialog, "L_FontColor")->text(),
                  "The Quick Brown Fox Jumped Over Lazy Dogs");
        dialog->reject();
    });
    EXPECT_FALSE(ExecuteSettingsBox(nullptr, box));
}

TEST(SettingsBoxQt, OkWritesTheChoicesBackAndKeepsUntouchedSystemColours) {
    TSettingsBox box;
    box.SE_Capacity = 40000;
    WhenModal<QDialog>([](QDialog* dialog) {
        Child<QCheckBox>(dialog, "CB_ScanVBR")->setChecked(true);
        auto* capacity = Child<QSpinBox>(dialog, "SE_Capacity");
        EXPECT_EQ(capacity->value(), 40000);
        EXPECT_EQ(capacity->minimum(), 32769);
        EXPECT_EQ(capacity->maximum(), 1048576);
        capacity->setValue(500000);
        Child<QPushButton>(dialog, "B_Ok")->click();
    });
    ASSERT_TRUE(ExecuteSettingsBox(nullptr, box));
    EXPECT_TRUE(box.CB_ScanVBR);
    EXPECT_EQ(box.SE_Capacity, 500000);
    EXPECT_EQ(box.ViewBackgroundColor, kClWindow);
    EXPECT_EQ(box.L_FontColor, TFontDesc{});
}

TEST(SettingsBoxQt, EscapeAfterChangesLeavesTheModelUntouched) {
    TSettingsBox box;
    WhenModal<QDialog>([](QDialog* dialog) {
        Child<QCheckBox>(dialog, "CB_ScanVBR")->setChecked(true);
        WhenModal<QColorDialog>([](QColorDialog* colors) {
            colors->setCurrentColor(QColor(1, 2, 3));
            colors->accept();
        });
        Child<QPushButton>(dialog, "ChooseColor")->click();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(ExecuteSettingsBox(nullptr, box));
    EXPECT_FALSE(box.CB_ScanVBR);
    EXPECT_EQ(box.ViewBackgroundColor, kClWindow);
}

TEST(SettingsBoxQt, ChosenBackgroundColourIsShownAndWrittenOnOk) {
    TSettingsBox box;
    WhenModal<QDialog>([](QDialog* dialog) {
        WhenModal<QColorDialog>([](QColorDialog* colors) {
            colors->setCurrentColor(QColor(0x11, 0x22, 0x33));
            colors->accept();
        });
        Child<QPushButton>(dialog, "ChooseColor")->click();
        auto* sample = Child<QWidget>(dialog, "ViewBackgroundColor");
        EXPECT_EQ(sample->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
        Child<QPushButton>(dialog, "B_Ok")->click();
    });
    ASSERT_TRUE(ExecuteSettingsBox(nullptr, box));
    EXPECT_EQ(box.ViewBackgroundColor, 0x00332211);
}

TEST(SettingsBoxQt, ChosenFontThenTextColourAreWrittenOnOk) {
    TSettingsBox box;
    WhenModal<QDialog>([](QDialog* dialog) {
        WhenModal<QFontDialog>([](QFontDialog* fonts) {
            QFont font("DejaVu Sans", 14);
            font.setBold(true);
            font.setUnderline(true);
            fonts->setCurrentFont(font);
            fonts->accept();
        });
        WhenModal<QColorDialog>([](QColorDialog* colors) {
            colors->setCurrentColor(QColor(0xAA, 0xBB, 0xCC));
            colors->accept();
        });
        Child<QPushButton>(dialog, "ChooseFont")->click();
        EXPECT_TRUE(Child<QLabel>(dialog, "L_FontColor")->font().bold());
        Child<QPushButton>(dialog, "B_Ok")->click();
    });
    ASSERT_TRUE(ExecuteSettingsBox(nullptr, box));
    EXPECT_EQ(box.L_FontColor.Name, "DejaVu Sans");
    EXPECT_EQ(box.L_FontColor.Size, 14);
    EXPECT_EQ(box.L_FontColor.Style, kFontBold | kFontUnderline);
    EXPECT_EQ(box.L_FontColor.Color, 0x00CCBBAA);
}

TEST(SortOnBoxQt, ListsTheEntriesWithTheFirstChosenAndFocused) {
    TSortOnBox box;
    WhenModal<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Sort on...");
        auto* modes = Child<QComboBox>(dialog, "CB_Sortmode");
        EXPECT_FALSE(modes->isEditable());
        ASSERT_EQ(modes->count(), static_cast<int>(SortEntries().size()));
        for (int i = 0; i < modes->count(); ++i)
            EXPECT_EQ(modes->itemText(i).toStdString(), SortEntries()[size_t(i)].Caption);
        EXPECT_EQ(modes->currentText(), "Album");
        // The window may not be active yet offscreen; its focus widget is what gets focus.
        EXPECT_EQ(dialog->focusWidget(), modes);
        dialog->reject();
    });
    EXPECT_FALSE(ExecuteSortOnBox(nullptr, box));
}

TEST(SortOnBoxQt, OkSetsTheKeyOfTheChosenEntry) {
    TSortOnBox box;
    WhenModal<QDialog>([](QDialog* dialog) {
        Child<QComboBox>(dialog, "CB_Sortmode")->setCurrentText("Playtime");
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    ASSERT_TRUE(ExecuteSortOnBox(nullptr, box));
    EXPECT_EQ(box.SortKey, TrackField::PlayLength);
}

TEST(ProgressBoxQt, ShowsTheTextsAndTheCurrentStepInBold) {
    TProgressBoxQt window(nullptr);
    TProgressBox box;
    box.SetChanged([&] { window.Redraw(box); });
    window.show();
    box.SetJob("Printing the catalogue");
    box.SetStep(1, "Layout");
    box.SetStep(2, "Pages");
    box.ResetSteps();
    box.NextStep();
    box.SetProgress(40);

    EXPECT_EQ(window.windowTitle(), "Progress...");
    EXPECT_EQ(Child<QLabel>(&window, "JobDesc")->text(), "Printing the catalogue");
    EXPECT_EQ(Child<QLabel>(&window, "Step1")->text(), "*  Layout");
    EXPECT_FALSE(Child<QLabel>(&window, "Step1")->font().bold());
    EXPECT_TRUE(Child<QLabel>(&window, "Step2")->font().bold());
    EXPECT_FALSE(Child<QLabel>(&window, "Step3")->font().bold());
    EXPECT_EQ(Child<QProgressBar>(&window, "ProgressBar1")->value(), 40);
}

TEST(ProgressBoxQt, EscapeDoesNotCloseIt) {
    TProgressBoxQt window(nullptr);
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible());
}

TEST(ScanErrorDialogQt, ShowsTheLinesReadOnlyAndUnwrapped) {
    WhenModal<QDialog>([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Errors during scan");
        auto* errors = Child<QPlainTextEdit>(dialog, "Errors");
        EXPECT_EQ(errors->toPlainText(), "Files not added due to errors:\n---\n/m/x.mp3  -  bad");
        EXPECT_TRUE(errors->isReadOnly());
        EXPECT_EQ(errors->lineWrapMode(), QPlainTextEdit::NoWrap);
        dialog->accept();
    });
    ShowScanErrorDialog(nullptr, {"Files not added due to errors:", "---", "/m/x.mp3  -  bad"});
}

class BrowseFolderQt : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(dir_.Path("sub")); }
    test::TTempDir dir_;
};

TEST_F(BrowseFolderQt, StartsAtThePresetAndReturnsTheChosenFolder) {
    TBrowseFolderDlg browse;
    browse.DialogText = "Pick one";
    browse.FolderName = dir_.Root();
    const QString sub = QString::fromStdString(dir_.Path("sub"));
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Pick one");
        EXPECT_EQ(dialog->directory().absolutePath(),
                  QDir(QString::fromStdString(dir_.Root())).absolutePath());
        EXPECT_EQ(dialog->findChild<QPushButton*>("B_Help"), nullptr);
        dialog->setDirectory(sub);
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(ExecuteBrowseFolder(nullptr, browse));
    EXPECT_EQ(browse.FolderName, dir_.Path("sub"));
}

TEST_F(BrowseFolderQt, FileSystemRootKeepsItsSeparator) {
    TBrowseFolderDlg browse;
    WhenModal<QFileDialog>([](QFileDialog* dialog) {
        dialog->setDirectory("/");
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(ExecuteBrowseFolder(nullptr, browse));
    EXPECT_EQ(browse.FolderName, "/");
}

TEST_F(BrowseFolderQt, MissingPresetStartsAtHomeAndCancelKeepsIt) {
    const test::TEnvGuard home("HOME", dir_.Path("sub"));
    TBrowseFolderDlg browse;
    browse.FolderName = dir_.Path("gone");
    browse.HelpContext = 7;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->directory().absolutePath(), QString::fromStdString(dir_.Path("sub")));
        EXPECT_NE(dialog->findChild<QPushButton*>("B_Help"), nullptr);
        dialog->reject();
    });
    EXPECT_FALSE(ExecuteBrowseFolder(nullptr, browse));
    EXPECT_EQ(browse.FolderName, dir_.Path("gone"));
}

TEST(AboutQt, ShowsTheProgramVersion) {
    WhenModal<QDialog>([](QDialog* dialog) {
        const QString version = Child<QLabel>(dialog, "Version")->text();
        EXPECT_TRUE(version.startsWith("Version ")) << version.toStdString();
        EXPECT_FALSE(version.contains("unknown"));
        EXPECT_EQ(Child<QLabel>(dialog, "ProductName")->text(), "Corvane Tracklore");
        dialog->accept();
    });
    ShowAboutBox(nullptr);
}

TEST(AboutQt, SplashIsBorderlessStaysOnTopAndShowsTheWaitCursor) {
    const std::unique_ptr<QWidget> splash = CreateSplashBox();
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(splash->cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(splash->isVisible());
}

}  // namespace
}  // namespace tracklore::ui
