// One session as a user works it, through the Qt main window and its real dialogs
// (offscreen): add a folder, open an artist, sort, renumber, save, reopen, merge, export,
// change the options and close with unsaved changes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "tests/support/env_guard.h"
#include "tests/support/mp3_factory.h"
#include "tests/support/require_tool.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/when_modal_qt.h"
#include "ui/main_window_qt.h"
#include "ui/prefs.h"

namespace tracklore::ui {
namespace {

using test::WhenModal;

// Chooses `path` in the open, save or folder dialog that is up next, typing it as a user
// would.
void ChooseInFileDialog(const std::string& path) {
    WhenModal<QFileDialog>([path](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
    });
}

class UserFlowQt : public testing::Test {
protected:
    void SetUp() override {
        REQUIRE_TOOLS("lame");
        SavePrefs(TPrefs(), registry_);
        std::filesystem::create_directories(dir_.Path("music/sub"));
        const std::string wav = dir_.Path("tone.wav");
        test::WriteWav(wav, 0.3, 44100, 1);
        test::LameEncode(wav, dir_.Path("music/a.mp3"), {"--ta", "Zed", "--tt", "One"});
        test::LameEncode(wav, dir_.Path("music/sub/b.mp3"),
                         {"--ta", "Aqua", "--tl", "Blue", "--tt", "Two"});
        test::LameEncode(wav, dir_.Path("music/sub/c.mp3"),
                         {"--ta", "Aqua", "--tl", "Blue", "--tt", "Three"});
    }

    QAction* Action(const char* name) const { return form_->findChild<QAction*>(name); }
    int Rows() const { return form_->AllListView()->model()->rowCount(); }
    QString Cell(int row, int column) const {
        return form_->AllListView()->model()->index(row, column).data().toString();
    }

    test::TTempDir dir_;
    std::string registry_ = dir_.Path("tracklore.reg");
    test::TEnvGuard registryVariable_{"TRACKLORE_REGISTRY", registry_};
    std::unique_ptr<TMainForm> form_;
};

TEST_F(UserFlowQt, AddSortSaveReopenExportMergeOptionsAndClose) {
    form_ = std::make_unique<TMainForm>(registry_);
    TMainForm& form = *form_;
    form.Start({});
    form.show();

    ChooseInFileDialog(dir_.Path("music"));
    Action("TB_Scan")->trigger();
    ASSERT_EQ(Rows(), 3);
    EXPECT_TRUE(form.Window().Modified());
    EXPECT_TRUE(form.statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(Action("TB_Search")->isEnabled());

    // The tree: open the first artist (Aqua) and find its album with two titles.
    QTreeView* tree = form.TreeView();
    Action("M_ViewTree")->trigger();
    EXPECT_EQ(form.Pages()->currentIndex(), 1);
    const QModelIndex aqua = tree->model()->index(0, 0);
    ASSERT_EQ(aqua.data().toString(), "Aqua");
    tree->expand(aqua);
    ASSERT_EQ(tree->model()->rowCount(aqua), 1);
    EXPECT_EQ(tree->model()->rowCount(tree->model()->index(0, 0, aqua)), 2);
    Action("M_ViewList")->trigger();

    // Sort by artist (second entry of the alphabetical list), then renumber in that order.
    WhenModal<QDialog>([](QDialog* dialog) {
        ASSERT_EQ(dialog->objectName(), "TSortOnBox");
        dialog->findChild<QComboBox*>("CB_Sortmode")->setCurrentIndex(1);
        dialog->accept();
    });
    Action("M_Sort")->trigger();
    EXPECT_EQ(Cell(0, 2), "Aqua");
    EXPECT_EQ(Cell(2, 2), "Zed");
    Action("M_Renumber")->trigger();
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(0, 2), "Aqua");

    // Save an untitled catalogue: the Save As dialog asks for the name.
    const std::string saved = dir_.Path("mine.tracklore");
    ChooseInFileDialog(saved);
    Action("TB_Save")->trigger();
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_FALSE(form.Window().Modified());
    EXPECT_EQ(form.windowTitle(), QString::fromStdString("Corvane Tracklore - " + saved) + "[*]");

    Action("M_FileNew")->trigger();
    EXPECT_EQ(Rows(), 0);
    ChooseInFileDialog(saved);
    Action("M_FileOpen")->trigger();
    ASSERT_EQ(Rows(), 3);
    EXPECT_EQ(Cell(0, 2), "Aqua");

    const std::string csv = dir_.Path("all.csv");
    ChooseInFileDialog(csv);
    Action("M_ExportCSV")->trigger();
    std::ifstream exported(csv);
    int lines = 0;
    for (std::string line; std::getline(exported, line);)
        ++lines;
    EXPECT_EQ(lines, 5);  // an empty line, the header and three records

    ChooseInFileDialog(saved);
    Action("M_FileMerge")->trigger();
    EXPECT_EQ(Rows(), 6);
    EXPECT_TRUE(form.Window().Modified());

    WhenModal<QDialog>([](QDialog* dialog) {
        ASSERT_EQ(dialog->objectName(), "TSettingsBox");
        dialog->findChild<QCheckBox*>("CB_ScanVBR")->setChecked(true);
        dialog->accept();
    });
    Action("M_Options")->trigger();
    EXPECT_TRUE(form.Window().Prefs().ScanVBR);

    // Unsaved changes: the close asks, No closes without saving and keeps the options.
    bool asked = false;
    WhenModal<QMessageBox>([&asked](QMessageBox* box) {
        asked = true;
        EXPECT_EQ(box->text(), "File has been modified - do you wish to save changes?");
        box->button(QMessageBox::No)->click();
    });
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(asked);
    TPrefs stored;
    ASSERT_TRUE(LoadPrefs(stored, registry_));
    EXPECT_TRUE(stored.ScanVBR);
    EXPECT_EQ(stored.LastFile, saved);
}

}  // namespace
}  // namespace tracklore::ui
