// The printed table: columns, row looks, pages, header and footer.
#include "ui/print_layout.h"

#include <algorithm>

#include "core/catalogue.h"
#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "core/progress_box.h"
#include "core/shell.h"
#include "ui/print_canvas.h"

namespace tracklore::ui {

namespace {

using TRowTexts = std::array<std::string, kPrintColumnCount>;
using TWidths = std::array<int, kPrintColumnCount>;

TRowTexts HeadingTexts() {
    TRowTexts texts;
    for (int i = 0; i < kPrintColumnCount; ++i)
        texts[i] = kPrintColumns[i].Heading;
    return texts;
}

TRowTexts CellTexts(const TrackRecord& record) {
    TRowTexts texts;
    for (int i = 0; i < kPrintColumnCount; ++i)
        texts[i] = PrintCellText(record, i);
    return texts;
}

// Hour-glass and progress box for the length of the job, also when it fails.
class TJobFeedback {
public:
    TJobFeedback(TShell* shell, TProgressBox& progress) : shell_(shell), progress_(progress) {
        if (shell_ != nullptr) shell_->SetBusy(true);
    }
    ~TJobFeedback() {
        if (shell_ == nullptr) return;
        try {
            if (shown_) shell_->ShowProgress(progress_, false);
            shell_->SetBusy(false);
        } catch (...) {
        }
    }
    void Show() {
        if (shell_ != nullptr) shell_->ShowProgress(progress_, true);
        shown_ = true;
    }
    TJobFeedback(const TJobFeedback&) = delete;
    TJobFeedback& operator=(const TJobFeedback&) = delete;

private:
    TShell* shell_;
    TProgressBox& progress_;
    bool shown_ = false;
};

// Every column measured over every record: the heading's width, widened to each cell text.
TWidths MeasureColumns(TTracklore& set, TPrintCanvas& canvas, uint32_t columns) {
    TWidths widths{};
    // Headings are measured in bold, as they are printed, so their column never cuts them.
    const uint8_t style = canvas.FontStyle();
    canvas.SetFontStyle(style | kFontBold);
    for (int i = 0; i < kPrintColumnCount; ++i)
        widths[i] = canvas.TextWidth(kPrintColumns[i].Heading);
    canvas.SetFontStyle(style);
    TrackRecord record;
    for (set.First(record); record.ID != kEndID; set.Next(record))
        for (int i = 0; i < kPrintColumnCount; ++i)
            widths[i] = std::max(widths[i], canvas.TextWidth(PrintCellText(record, i)));
    for (int i = 0; i < kPrintColumnCount; ++i)
        if ((columns & kPrintColumns[i].Bit) == 0) widths[i] = 0;
    return widths;
}

// Header and footer of one page; returns the area left for the table.
TPrintRect DrawHeaderFooter(TPrintCanvas& canvas, const TPrintJob& job, int page, int pages) {
    TPrintRect area{0, 0, canvas.PageWidth(), canvas.PageHeight()};
    canvas.SetPen(kPrintBlack);
    canvas.SetBrush(TBrushStyle::Clear, kPrintWhite);
    if (job.Header) {
        const std::string text = Format(msg::PrintHeader, job.PrintTitle.c_str());
        canvas.TextOut(area.Left, area.Top, text);
        const int y = area.Top + canvas.TextHeight(text) + 5;
        canvas.Line(area.Left, y, area.Right, y);
        area.Top = y + 1;
    }
    if (job.Footer) {
        const std::string text = Format(msg::PrintFooter, page, pages);
        const int height = canvas.TextHeight(text);
        const int y = area.Bottom - height - 5;
        canvas.Line(area.Left, y, area.Right, y);
        canvas.TextOut(area.Right - canvas.TextWidth(text), area.Bottom - height, text);
        area.Bottom = y - 1;
    }
    return area;
}

}  // namespace

std::string PrintCellText(const TrackRecord& record, int column) {
    switch (column) {
        case 0: return std::to_string(record.ID);
        case 1: return std::string(record.Volume.view());
        case 2: return std::string(record.Artist.view());
        case 3: return std::string(record.Title.view());
        case 4: return std::string(record.Album.view());
        case 5: return std::string(record.Year.view());
        case 6: return std::string(record.Comment.view());
        case 7: return GenreNames[record.Genre];
        case 8: return std::string(record.Filename.view());
        case 9: return Format("%d:%02d", record.PlayLength / 60, record.PlayLength % 60);
        case 10: return Format(msg::QualityFormat, int{record.BitRate}, int{record.SampleRate});
        default: return {};
    }
}

TPageMetrics MeasurePages(TPrintCanvas& canvas, int recordCount) {
    TPageMetrics metrics;
    metrics.LineHeight = canvas.TextHeight(kLineHeightProbe);
    // A page too small for one record row would never end the job (or divide by zero).
    if (metrics.LineHeight < 1) throw EPrintError(msg::PrintFontTooLarge);
    metrics.LinesPerPage = canvas.PageHeight() / metrics.LineHeight - 4;
    const int rowsPerPage = metrics.LinesPerPage - 1;
    if (rowsPerPage < 1) throw EPrintError(msg::PrintFontTooLarge);
    metrics.PageTotal = (recordCount + rowsPerPage - 1) / rowsPerPage;
    return metrics;
}

void PrintDB(TTracklore& set, const TPrintJob& job, TPrintCanvas& canvas, TProgressBox& progress,
             TShell* shell) {
    TJobFeedback feedback(shell, progress);
    progress.SetJob(msg::PrintingDatabase);
    progress.SetStep(1, msg::DeterminingColumnWidths);
    progress.SetStep(2, Format(msg::PrintingPage, 0, 99999));
    progress.SetStep(3, msg::PrintDone);
    progress.SetProgress(0);
    progress.ResetSteps();
    feedback.Show();

    // The font and the page are measured before the job begins, so a font that leaves no
    // room for a row fails without starting an empty job.
    canvas.SetFont(job.Font);
    const TWidths widths = MeasureColumns(set, canvas, job.Columns);
    const int recordCount = set.Count();
    const TPageMetrics metrics = MeasurePages(canvas, recordCount);
    canvas.BeginDoc(job.JobTitle);
    progress.SetProgress(100);
    progress.NextStep();

    const TRowTexts headings = HeadingTexts();
    const int lh = metrics.LineHeight;
    TrackRecord record;
    set.First(record);
    while (record.ID != kEndID) {
        const int page = canvas.PageNumber();
        progress.SetStep(2, Format(msg::PrintingPage, page, metrics.PageTotal));
        progress.SetProgress(page * 100 / metrics.PageTotal);

        canvas.SetFontStyle(canvas.FontStyle() | kFontBold);
        const TPrintRect area = DrawHeaderFooter(canvas, job, page, metrics.PageTotal);

        canvas.SetBrush(TBrushStyle::Solid, kPrintSilver);
        bool shaded = false;
        TPrintRect row{area.Left + 100, area.Top + 10, area.Right - 100, area.Top + 10 + lh};
        DrawPrintRow(canvas, row, job.Look, headings, kPrintGap, widths);
        if (job.Look == kLookCells) canvas.Line(row.Left, row.Top, row.Right, row.Top);
        canvas.SetFontStyle(0);

        for (int k = 1; k < metrics.LinesPerPage && record.ID != kEndID; ++k) {
            shaded = !shaded;
            canvas.SetBrush(shaded ? TBrushStyle::Clear : TBrushStyle::Solid, kPrintSilver);
            row.Top = row.Bottom + 1;
            row.Bottom = row.Top + lh;
            DrawPrintRow(canvas, row, job.Look, CellTexts(record), kPrintGap, widths);
            set.Next(record);
        }
        if (record.ID != kEndID) canvas.NewPage();
    }

    progress.NextStep();
    canvas.EndDoc();
}

void DrawPrintRow(TPrintCanvas& canvas, const TPrintRect& rect, int look,
                  const std::array<std::string, kPrintColumnCount>& texts, int gap,
                  const std::array<int, kPrintColumnCount>& widths) {
    switch (look) {
        case kLookGrayLines: canvas.FillRect(rect); break;
        case kLookThinLines: canvas.Line(rect.Left, rect.Bottom, rect.Right, rect.Bottom); break;
        case kLookCells:
            canvas.Line(rect.Left, rect.Bottom, rect.Right, rect.Bottom);
            canvas.Line(rect.Left, rect.Top, rect.Left, rect.Bottom);
            canvas.Line(rect.Right, rect.Top, rect.Right, rect.Bottom);
            break;
        default: break;
    }
    canvas.SetBrush(TBrushStyle::Clear, kPrintSilver);

    const int limit = canvas.PageWidth() - 100;
    int x = rect.Left + gap / 2;
    for (int i = 0; i < kPrintColumnCount; ++i) {
        if (widths[i] == 0) continue;
        const int right = std::min(x + widths[i], limit);
        canvas.TextRect({x, rect.Top, right, rect.Bottom}, x, rect.Top, texts[i]);
        x = right + gap;
        if (look == kLookCells) canvas.Line(x - gap / 2, rect.Top, x - gap / 2, rect.Bottom);
    }
}

void UpdatePreview(TPrintCanvas& canvas, bool header, bool footer, int look,
                   const TFontDesc& font) {
    TFontDesc small = font;
    small.Size = font.Size / 4;
    canvas.SetFont(small);
    canvas.SetPen(kPrintBlack);
    canvas.SetBrush(TBrushStyle::Solid, kPrintWhite);
    canvas.FillRect({0, 0, canvas.PageWidth(), canvas.PageHeight()});
    canvas.SetBrush(TBrushStyle::Clear, kPrintWhite);

    TPrintRect area{3, 3, canvas.PageWidth() - 3, canvas.PageHeight() - 3};
    if (header) {
        canvas.TextOut(area.Left, area.Top, msg::PrintHeaderBox);
        area.Top += canvas.TextHeight(msg::PrintHeaderBox);
        canvas.Line(area.Left, area.Top, area.Right, area.Top);
    }
    if (footer) {
        area.Bottom -= canvas.TextHeight(msg::PrintFooterBox);
        canvas.TextOut(area.Right - canvas.TextWidth(msg::PrintFooterBox), area.Bottom,
                       msg::PrintFooterBox);
        canvas.Line(area.Left, area.Bottom, area.Right, area.Bottom);
    }

    const int rowHeight = canvas.TextHeight("Llg") + 2;
    const int rows = (area.Bottom - area.Top) / rowHeight;
    if (rows < 1) return;
    for (int i = 0; i < rows; ++i) {
        const TPrintRect row{area.Left, area.Top + i * rowHeight, area.Right,
                             area.Top + (i + 1) * rowHeight};
        if (look == kLookGrayLines) {
            canvas.SetBrush(i % 2 == 0 ? TBrushStyle::Clear : TBrushStyle::Solid, kPrintSilver);
            canvas.FillRect(row);
        } else if (look == kLookThinLines) {
            canvas.Line(row.Left, row.Bottom, row.Right, row.Bottom);
        } else if (look == kLookCells) {
            canvas.SetBrush(TBrushStyle::Solid, kPrintBlack);
            canvas.FrameRect(row);
            const int quarter = (row.Right - row.Left) / 4;
            for (int q = 1; q <= 3; ++q)
                canvas.Line(row.Left + q * quarter, row.Top, row.Left + q * quarter, row.Bottom);
            canvas.SetBrush(TBrushStyle::Clear, kPrintBlack);
        }
        canvas.TextOut(row.Left, row.Top, "blablabla");
    }
}

}  // namespace tracklore::ui
