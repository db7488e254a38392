// File > Print from the main window: which set is printed, the titles it carries, the
// dialog's initial choices and the columns they give.
#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/progress_box.h"
#include "tests/support/fake_print_canvas.h"
#include "tests/support/main_window_fixture.h"
#include "ui/command_mask.h"
#include "ui/printer_dialog.h"

namespace tracklore::test {
namespace {

using ui::TCommandId;
using ui::TPrinterDialog;
using PrintFunction = std::function<void(ui::TPrintCanvas&)>;

class PrintCommandsTest : public MainWindowFixture {
protected:
    void StartWithMusic(const std::vector<std::string>& titles) {
        Start({WriteCatalogue("music.tracklore", titles)});
        ForgetShell();
    }
    // Answers the print dialog with OK, printing on `canvas_` after `choose` changed it.
    void AnswerPrint(std::function<void(TPrinterDialog&)> choose = {}) {
        shell_.PrinterAnswers.push_back(
            [this, choose](TPrinterDialog& dialog, const PrintFunction& print) {
                captions_.push_back(dialog.Caption);
                if (choose) choose(dialog);
                print(canvas_);
                return true;
            });
    }
    // Selects the records titled "b" into the selected set.
    void SelectB() {
        TrackRecord pattern;
        pattern.ID = 0;  // any identifier
        pattern.Genre = kGenreNone;
        pattern.Title = "b";
        window_->SetSelectedSet(window_->Catalogue().SelectByTemplate(pattern));
    }
    int PrintedRows() const {
        int rows = 0;
        for (const auto& page : canvas_.Pages)
            for (const auto& text : page.Texts)
                rows += text.Value == "A";  // the artist column of each record row
        return rows;
    }

    TFakePrintCanvas canvas_;
    std::vector<std::string> captions_;
};

TEST_F(PrintCommandsTest, SelectedSetCarriesTheSelectedSuffix) {
    StartWithMusic({"a", "b", "c"});
    SelectB();
    window_->PageChanged(ui::TPage::Selected);
    AnswerPrint();
    window_->Run(TCommandId::Print);
    ASSERT_EQ(captions_.size(), 1u);
    EXPECT_EQ(captions_[0], "Print music.tracklore - selected...");
    EXPECT_EQ(canvas_.Titles, (std::vector<std::string>{"Print music.tracklore - selected..."}));
    EXPECT_EQ(canvas_.Find(0, "Corvane Tracklore - music.tracklore - selected").size(), 1u);
    EXPECT_EQ(PrintedRows(), 1);
    EXPECT_EQ(shell_.ProgressShown, 1);
}

TEST_F(PrintCommandsTest, ListPagePrintsTheWholeCatalogueUnderItsFileName) {
    StartWithMusic({"a", "b", "c"});
    SelectB();
    AnswerPrint();
    window_->Run(TCommandId::Print);
    EXPECT_EQ(captions_.at(0), "Print music.tracklore...");
    EXPECT_EQ(canvas_.Find(0, "Corvane Tracklore - music.tracklore").size(), 1u);
    EXPECT_EQ(PrintedRows(), 3);
}

TEST_F(PrintCommandsTest, SelectedPageWithoutASetShowsAMessageAndPrintsNothing) {
    StartWithMusic({"a"});
    window_->PageChanged(ui::TPage::Selected);
    shell_.MessageAnswers = {ui::TModalResult::OK};
    window_->Run(TCommandId::Print);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, "There are no items selected to print...");
    EXPECT_EQ(shell_.Messages[0].Caption, "Corvane Tracklore");
    EXPECT_EQ(shell_.Messages[0].Buttons, ui::mbOK);
    EXPECT_EQ(canvas_.Jobs, 0);
}

TEST_F(PrintCommandsTest, UntitledCataloguePrintsUnderUntitled) {
    Start();
    AnswerPrint();
    window_->Run(TCommandId::Print);
    EXPECT_EQ(captions_.at(0), "Print Untitled...");
    EXPECT_EQ(canvas_.Jobs, 1);
}

TEST_F(PrintCommandsTest, EveryPrintStartsFromTheInitialChoices) {
    StartWithMusic({"a"});
    AnswerPrint([](TPrinterDialog& dialog) {
        dialog.CB_ID = true;
        dialog.CB_Head = false;
    });
    std::optional<TPrinterDialog> second;
    shell_.PrinterAnswers.push_back([&](TPrinterDialog& dialog, const PrintFunction&) {
        second = dialog;
        return false;
    });
    window_->Run(TCommandId::Print);
    window_->Run(TCommandId::Print);
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(second->CB_ID);
    EXPECT_TRUE(second->CB_Head);
    EXPECT_EQ(canvas_.Jobs, 1);
}

TEST_F(PrintCommandsTest, TooLargeFontIsReportedAndRestoresTheWindow) {
    StartWithMusic({"a"});
    const uint16_t mask = window_->CommandMask();
    canvas_.Height = 100;
    AnswerPrint();
    shell_.MessageAnswers = {ui::TModalResult::OK};
    window_->Run(TCommandId::Print);
    ASSERT_EQ(shell_.Messages.size(), 1u);
    EXPECT_EQ(shell_.Messages[0].Text, msg::PrintFontTooLarge);
    EXPECT_EQ(canvas_.Jobs, 0);
    EXPECT_EQ(window_->CommandMask(), mask);
}

TEST(PrinterDialog, StartsWithItsInitialChoices) {
    const TPrinterDialog dialog;
    EXPECT_EQ(dialog.Caption, "Print Database...");
    EXPECT_EQ(dialog.PrintColumns(), 0x0FAu);  // Volume, Artist, Title, Album, Year, Comment
    EXPECT_TRUE(dialog.CB_Head);
    EXPECT_TRUE(dialog.CB_Foot);
    EXPECT_EQ(dialog.CB_Look, ui::kLookNone);
    EXPECT_EQ(dialog.Font, (ui::TFontDesc{"Arial", 8, 0, 0}));
}

TEST(PrinterDialog, QualityBoxSetsTwoBitsAndEveryBoxItsColumn) {
    TPrinterDialog dialog;
    for (const auto& box : ui::kColumnBoxes)
        dialog.*box.Box = false;
    dialog.CB_Quality = true;
    EXPECT_EQ(dialog.PrintColumns(), 0xC00u);
    for (const auto& box : ui::kColumnBoxes)
        dialog.*box.Box = true;
    EXPECT_EQ(dialog.PrintColumns(), 0xFFFu);
}

TEST(PrinterDialog, EachBoxAlonePrintsItsOwnColumn) {
    const std::vector<std::pair<std::string, std::string>> boxes{
        {"CB_ID", "ID"},           {"CB_Volume", "Volume"},   {"CB_Artist", "Artist"},
        {"CB_Title", "Title"},     {"CB_Album", "Album"},     {"CB_Year", "Year"},
        {"CB_Comment", "Comment"}, {"CB_Genre", "Genre"},     {"CB_Filename", "Filename"},
        {"CB_Playtime", "Time"},   {"CB_Quality", "Quality"},
    };
    ASSERT_EQ(ui::kColumnBoxes.size(), boxes.size());
    TTracklore set;
    TrackRecord record;
    set.Insert(record);
    for (size_t i = 0; i < boxes.size(); ++i) {
        TPrinterDialog dialog;
        for (const auto& box : ui::kColumnBoxes)
            dialog.*box.Box = false;
        EXPECT_EQ(ui::kColumnBoxes[i].Name, boxes[i].first);
        dialog.*ui::kColumnBoxes[i].Box = true;
        TFakePrintCanvas canvas;
        ui::TProgressBox progress;
        ui::PrintDB(set, dialog.Job(set), canvas, progress);
        std::vector<std::string> headings;
        for (const auto& text : canvas.Pages.at(0).Texts)
            if (text.Clipped && text.Bold) headings.push_back(text.Value);
        EXPECT_EQ(headings, std::vector<std::string>{boxes[i].second}) << boxes[i].first;
    }
}

TEST(PrinterDialog, JobTakesTheChoicesAndTheSetsTitle) {
    TTracklore set;
    set.SetPrintTitle("x.tracklore");
    TPrinterDialog dialog;
    dialog.Caption = "Print x.tracklore...";
    dialog.CB_Look = ui::kLookCells;
    dialog.CB_Foot = false;
    const ui::TPrintJob job = dialog.Job(set);
    EXPECT_EQ(job.Columns, 0x0FAu);
    EXPECT_EQ(job.Look, ui::kLookCells);
    EXPECT_FALSE(job.Footer);
    EXPECT_EQ(job.JobTitle, "Print x.tracklore...");
    EXPECT_EQ(job.PrintTitle, "x.tracklore");
}

}  // namespace
}  // namespace tracklore::test
