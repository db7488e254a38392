// The printed table on a canvas with fixed metrics: pagination, column placement, clipping,
// header and footer, the row looks, progress, and the preview sketch.
#include "ui/print_layout.h"

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "core/messages.h"
#include "core/progress_box.h"
#include "tests/support/fake_print_canvas.h"

namespace tracklore::test {
namespace {

using ui::TPrintRect;

constexpr uint32_t kArtist = 0x008;
constexpr uint32_t kTitle = 0x010;
constexpr uint32_t kAlbum = 0x020;

class PrintLayoutTest : public testing::Test {
protected:
    // Records titled "t1", "t2"... by artist "A".
    void AddRecords(int count) {
        for (int i = 1; i <= count; ++i)
            Add("A", "t" + std::to_string(i));
    }
    void Add(const std::string& artist, const std::string& title, const std::string& album = "") {
        TrackRecord record;
        record.Artist = artist;
        record.Title = title;
        record.Album = album;
        catalogue_.Insert(record);
    }
    void Print(uint32_t columns = kTitle, int look = ui::kLookNone, bool header = true,
               bool footer = true) {
        ui::TPrintJob job;
        job.Columns = columns;
        job.Look = look;
        job.Header = header;
        job.Footer = footer;
        job.JobTitle = "Print music.tracklore...";
        job.PrintTitle = "music.tracklore";
        ui::PrintDB(catalogue_, job, canvas_, progress_);
    }
    // The record rows of a page: the regular (not bold) clipped texts.
    int RecordRows(size_t page) const {
        int rows = 0;
        for (const auto& text : canvas_.Pages.at(page).Texts)
            rows += text.Clipped && !text.Bold;
        return rows;
    }

    TTracklore catalogue_;
    TFakePrintCanvas canvas_;
    ui::TProgressBox progress_;
};

TEST_F(PrintLayoutTest, TwoHundredTenRecordsFillTwoPages) {
    AddRecords(210);
    Print();
    ASSERT_EQ(canvas_.Pages.size(), 2u);
    EXPECT_EQ(RecordRows(0), 105);
    EXPECT_EQ(RecordRows(1), 105);
    EXPECT_EQ(canvas_.Find(1, "Page: 2 of 2").size(), 1u);
    EXPECT_EQ(canvas_.Find(1, "t210").size(), 1u);
    EXPECT_EQ(canvas_.JobsEnded, 1);
}

TEST_F(PrintLayoutTest, TwoHundredElevenRecordsNeedAThirdPage) {
    AddRecords(211);
    Print();
    ASSERT_EQ(canvas_.Pages.size(), 3u);
    EXPECT_EQ(RecordRows(2), 1);
    EXPECT_EQ(canvas_.Find(0, "Page: 1 of 3").size(), 1u);
    EXPECT_EQ(canvas_.Find(2, "Page: 3 of 3").size(), 1u);
}

TEST_F(PrintLayoutTest, RowsFollowTheHeadingOneLineHeightPlusOneApart) {
    AddRecords(2);
    Print();
    // Header text 60 high: its line at 65, the area from 66, the heading 10 below that.
    EXPECT_EQ(canvas_.Find(0, "Title").at(0).Y, 76);
    EXPECT_EQ(canvas_.Find(0, "t1").at(0).Y, 137);
    EXPECT_EQ(canvas_.Find(0, "t2").at(0).Y, 198);
}

TEST_F(PrintLayoutTest, ColumnsStartAt150WithGapsOf100) {
    Add("Ab", "A title of 19 chars");
    Print(kArtist | kTitle);
    // Artist: its heading (6 chars) is wider than "Ab"; Title: the cell is the widest.
    const auto artist = canvas_.Find(0, "Artist").at(0);
    const auto title = canvas_.Find(0, "Title").at(0);
    EXPECT_EQ(artist.X, 150);
    EXPECT_EQ(artist.Clip, (TPrintRect{150, 76, 270, 136}));
    EXPECT_EQ(title.X, 370);
    EXPECT_EQ(title.Clip.Right, 370 + 19 * 20);
    EXPECT_EQ(canvas_.Find(0, "Ab").at(0).X, 150);
    EXPECT_EQ(canvas_.Find(0, "A title of 19 chars").at(0).X, 370);
    EXPECT_TRUE(canvas_.Find(0, "Album").empty());
}

TEST_F(PrintLayoutTest, BoldHeadingsAreMeasuredBold) {
    canvas_.BoldCharWidth = 30;
    Add("Ab", "T");
    Print(kArtist | kTitle);
    EXPECT_EQ(canvas_.Find(0, "Artist").at(0).Clip.Right, 150 + 6 * 30);
    EXPECT_EQ(canvas_.Find(0, "Title").at(0).X, 150 + 6 * 30 + 100);
}

TEST_F(PrintLayoutTest, ColumnWidthIsTheWidestTextOfEveryPage) {
    AddRecords(150);
    Add("A", std::string(30, 'w'));  // on the second page
    Print(kTitle | kAlbum);
    EXPECT_EQ(canvas_.Find(0, "Album").at(0).X, 150 + 30 * 20 + 100);
}

TEST_F(PrintLayoutTest, TextBeyondPageWidthLessHundredIsClipped) {
    canvas_.Width = 1000;
    Add("A", std::string(60, 'x'), "album");
    Print(kTitle | kAlbum);
    const auto title = canvas_.Find(0, std::string(60, 'x')).at(0);
    EXPECT_EQ(title.Clip.Right, 900);
    // The next column starts past the limit: its clip box is empty, so nothing shows.
    const auto album = canvas_.Find(0, "album").at(0);
    EXPECT_EQ(album.X, 1000);
    EXPECT_LE(album.Clip.Right, album.Clip.Left);
}

TEST_F(PrintLayoutTest, HeaderAndFooterFrameTheTable) {
    AddRecords(1);
    Print();
    const auto header = canvas_.Find(0, "Corvane Tracklore - music.tracklore").at(0);
    EXPECT_EQ(header.X, 0);
    EXPECT_EQ(header.Y, 0);
    EXPECT_TRUE(header.Bold);
    const auto footer = canvas_.Find(0, "Page: 1 of 1").at(0);
    EXPECT_EQ(footer.X, 4800 - 12 * 20);
    EXPECT_EQ(footer.Y, 6600 - 60);
    const auto& lines = canvas_.Pages[0].Lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Y1, 65);
    EXPECT_EQ(lines[0].X2, 4800);
    EXPECT_EQ(lines[1].Y1, 6600 - 65);
}

TEST_F(PrintLayoutTest, WithoutHeaderTheHeadingStartsAtTheTop) {
    AddRecords(1);
    Print(kTitle, ui::kLookNone, false, false);
    EXPECT_EQ(canvas_.Find(0, "Title").at(0).Y, 10);
    EXPECT_TRUE(canvas_.Pages[0].Lines.empty());
    EXPECT_EQ(canvas_.Pages[0].Texts.size(), 2u);
}

TEST_F(PrintLayoutTest, HeadingsAreBoldAndRecordsRegular) {
    AddRecords(1);
    Print();
    EXPECT_TRUE(canvas_.Find(0, "Title").at(0).Bold);
    EXPECT_FALSE(canvas_.Find(0, "t1").at(0).Bold);
}

TEST_F(PrintLayoutTest, GrayLinesShadeTheHeadingAndEverySecondRecordOfEachPage) {
    AddRecords(108);  // page 2 holds three records
    Print(kTitle, ui::kLookGrayLines);
    const auto& first = canvas_.Pages[0].Fills;
    ASSERT_EQ(first.size(), 1u + 52u);
    EXPECT_EQ(first[0].Rect, (TPrintRect{100, 76, 4700, 136}));
    EXPECT_EQ(first[0].Color, ui::kPrintSilver);
    EXPECT_EQ(first[1].Rect.Top, canvas_.Find(0, "t2").at(0).Y);
    const auto& second = canvas_.Pages[1].Fills;
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[1].Rect.Top, canvas_.Find(1, "t107").at(0).Y);
}

TEST_F(PrintLayoutTest, ThinLinesUnderlineEveryRow) {
    AddRecords(2);
    Print(kTitle, ui::kLookThinLines, false, false);
    const auto& lines = canvas_.Pages[0].Lines;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Y1, 70);  // heading 10..70
    EXPECT_EQ(lines[1].Y1, 131);
    EXPECT_EQ(lines[2].Y1, 192);
    EXPECT_TRUE(canvas_.Pages[0].Fills.empty());
}

TEST_F(PrintLayoutTest, CellsFrameRowsAndSeparateEveryColumn) {
    Add("Ab", "Ti");
    Print(kArtist | kTitle, ui::kLookCells, false, false);
    std::vector<TFakePrintCanvas::Stroke> heading;
    for (const auto& line : canvas_.Pages[0].Lines)
        if (line.Y1 <= 10 || line.Y2 <= 70) heading.push_back(line);
    // Bottom, left, right, two column separators, then the top line.
    ASSERT_EQ(heading.size(), 6u);
    EXPECT_EQ(heading[1].X1, 100);
    EXPECT_EQ(heading[2].X1, 4700);
    EXPECT_EQ(heading[3].X1, 150 + 120 + 50);  // middle of the gap after "Artist"
    EXPECT_EQ(heading[4].X1, 370 + 100 + 50);  // after the last column too
    EXPECT_EQ(heading[5].Y1, 10);
    EXPECT_EQ(heading[5].X2, 4700);
    EXPECT_EQ(canvas_.Pages[0].Lines.size(), 6u + 5u);  // the record row has no top line
}

TEST_F(PrintLayoutTest, EmptySetOpensAndClosesAJobWithoutRows) {
    Print();
    EXPECT_EQ(canvas_.Jobs, 1);
    EXPECT_EQ(canvas_.JobsEnded, 1);
    ASSERT_EQ(canvas_.Pages.size(), 1u);
    EXPECT_TRUE(canvas_.Pages[0].Texts.empty());
}

TEST_F(PrintLayoutTest, FontTooLargeForOneRowFailsBeforeTheJobBegins) {
    AddRecords(3);
    canvas_.Height = 5 * 60 + 59;  // five lines: the heading and no record row
    EXPECT_THROW(Print(), ui::EPrintError);
    canvas_.Height = 6600;
    canvas_.LineHeight = 0;
    EXPECT_THROW(Print(), ui::EPrintError);
    EXPECT_EQ(canvas_.Jobs, 0);
}

TEST_F(PrintLayoutTest, SixLinesHoldOneRecordAPage) {
    AddRecords(3);
    canvas_.Height = 6 * 60;
    Print();
    EXPECT_EQ(canvas_.Pages.size(), 3u);
    EXPECT_EQ(canvas_.Find(2, "Page: 3 of 3").size(), 1u);
}

TEST_F(PrintLayoutTest, ProgressReportsEachPageOfTheTotal) {
    AddRecords(211);
    std::vector<std::string> pageSteps;
    progress_.SetChanged([&] {
        if (pageSteps.empty() || pageSteps.back() != progress_.Step(2))
            pageSteps.push_back(progress_.Step(2));
    });
    Print();
    EXPECT_EQ(progress_.JobDesc(), "Printing database");
    EXPECT_EQ(progress_.Step(1), "*  Determining the width of the columns");
    EXPECT_EQ(pageSteps,
              (std::vector<std::string>{
                  "", "*  Printing page 0 of 99999 pages", "*  Printing page 1 of 3 pages",
                  "*  Printing page 2 of 3 pages", "*  Printing page 3 of 3 pages"}));
    EXPECT_EQ(progress_.Progress(), 100);
    EXPECT_EQ(progress_.CurrentStep(), 3);
}

TEST(PrintCellText, NumbersAreWrittenOutAlsoWhenZero) {
    TrackRecord record;
    record.ID = 42;
    EXPECT_EQ(ui::PrintCellText(record, 0), "42");
    EXPECT_EQ(ui::PrintCellText(record, 9), "0:00");
    EXPECT_EQ(ui::PrintCellText(record, 10), "0kbit/s at 0");
    record.PlayLength = 3725;
    record.BitRate = 128;
    record.SampleRate = 44100;
    record.Genre = 17;
    EXPECT_EQ(ui::PrintCellText(record, 9), "62:05");
    EXPECT_EQ(ui::PrintCellText(record, 10), "128kbit/s at 44100");
    EXPECT_EQ(ui::PrintCellText(record, 7), "Rock");
}

class PrintPreviewTest : public testing::Test {
protected:
    PrintPreviewTest() {
        canvas_.Width = 121;
        canvas_.Height = 177;
        canvas_.LineHeight = 10;
    }
    void Draw(bool header, bool footer, int look) {
        ui::TFontDesc font{"Arial", 11, 0, 0};
        ui::UpdatePreview(canvas_, header, footer, look, font);
    }
    TFakePrintCanvas canvas_;
};

TEST_F(PrintPreviewTest, FontIsAQuarterOfTheChosenSize) {
    Draw(true, true, ui::kLookNone);
    EXPECT_EQ(canvas_.Fonts.back().Size, 2);
}

TEST_F(PrintPreviewTest, HeaderAndFooterLeaveRowsBetweenThem) {
    Draw(true, true, ui::kLookNone);
    EXPECT_EQ(canvas_.Find(0, "Header").at(0).Y, 3);
    const auto footer = canvas_.Find(0, "Footer").at(0);
    EXPECT_EQ(footer.Y, 164);
    EXPECT_EQ(footer.X, 118 - 6 * 20);
    // Rows 12 high between 13 and 164: twelve of them.
    const auto rows = canvas_.Find(0, "blablabla");
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0].Y, 13);
    EXPECT_EQ(rows[11].Y, 13 + 11 * 12);
}

TEST_F(PrintPreviewTest, GrayLinesShadeEverySecondRowStartingWithTheSecond) {
    Draw(false, false, ui::kLookGrayLines);
    const auto& fills = canvas_.Pages[0].Fills;
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[0].Color, ui::kPrintWhite);  // the background
    EXPECT_EQ(fills[1].Rect.Top, 3 + 12);
    EXPECT_EQ(fills[2].Rect.Top, 3 + 3 * 12);
}

TEST_F(PrintPreviewTest, CellsDrawFramesAndQuarterLines) {
    Draw(false, false, ui::kLookCells);
    const auto& frames = canvas_.Pages[0].Frames;
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0].Rect, (TPrintRect{3, 3, 118, 15}));
    EXPECT_EQ(frames[0].Color, ui::kPrintBlack);
    const auto& lines = canvas_.Pages[0].Lines;
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].X1, 3 + 28);
    EXPECT_EQ(lines[2].X1, 3 + 3 * 28);
}

TEST_F(PrintPreviewTest, NoRoomForARowDrawsNoRows) {
    canvas_.Height = 30;
    Draw(true, true, ui::kLookCells);
    EXPECT_TRUE(canvas_.Find(0, "blablabla").empty());
    EXPECT_TRUE(canvas_.Pages[0].Frames.empty());
}

}  // namespace
}  // namespace tracklore::test
