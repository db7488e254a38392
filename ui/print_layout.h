// The printed table of a catalogue or result set: its eleven columns, the row looks, the
// column widths and pagination, header and footer, and the dialog's small preview sketch.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/track_record.h"
#include "ui/prefs.h"

namespace tracklore {
class TTracklore;
}

namespace tracklore::ui {

class TPrintCanvas;
class TProgressBox;
class TShell;
struct TPrintRect;

/// A page that cannot hold one record row under the heading.
class EPrintError : public std::runtime_error {
public:
    explicit EPrintError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr int kPrintColumnCount = 11;

/// One printed column: its heading and its bit in the column set.
struct TPrintColumn {
    const char* Heading;
    uint32_t Bit;
};

// clang-format off
/// The columns in printed order. Bit 0x800 has no column: the quality box sets it with 0x400.
inline constexpr std::array<TPrintColumn, kPrintColumnCount> kPrintColumns{{
    /*  0 */ {"ID",       0x001},
    /*  1 */ {"Volume",   0x002},
    /*  2 */ {"Artist",   0x008},
    /*  3 */ {"Title",    0x010},
    /*  4 */ {"Album",    0x020},
    /*  5 */ {"Year",     0x080},
    /*  6 */ {"Comment",  0x040},
    /*  7 */ {"Genre",    0x200},
    /*  8 */ {"Filename", 0x004},
    /*  9 */ {"Time",     0x100},
    /* 10 */ {"Quality",  0x400},
}};
// clang-format on

/// Row looks, by their index in the look list.
enum TPrintLook : int { kLookNone = 0, kLookGrayLines = 1, kLookThinLines = 2, kLookCells = 3 };
inline constexpr std::array<const char*, 4> kPrintLookNames{"(none)", "Gray Lines", "Thin Lines",
                                                            "Cells"};

/// Space between columns; the first column starts half of it right of the row's left edge.
inline constexpr int kPrintGap = 100;
/// The text whose height is the line height.
inline constexpr char kLineHeightProbe[] = "aAbBcCdDeEfFgGhHiIjJkKlLmMnNoOpPqQrRsStTuUvVxXyYzZ";

/// The cell text of `column` (0 to 10) for `record`.
std::string PrintCellText(const TrackRecord& record, int column);

/// Everything a print job needs besides the records.
struct TPrintJob {
    uint32_t Columns = 0;  ///< bits of kPrintColumns
    int Look = kLookNone;  ///< TPrintLook
    bool Header = true;
    bool Footer = true;
    TFontDesc Font;
    std::string JobTitle;    ///< the print job's name (the dialog's caption)
    std::string PrintTitle;  ///< the name the header shows
};

/// Column widths and pagination for `recordCount` records.
struct TPageMetrics {
    int LineHeight = 0;
    int LinesPerPage = 0;  ///< the heading and LinesPerPage - 1 record rows
    int PageTotal = 0;
};

/// Line height and lines per page of the current font on `canvas`, and the page total for
/// `recordCount` records. EPrintError when not even one record row fits a page.
TPageMetrics MeasurePages(TPrintCanvas& canvas, int recordCount);

/// Prints `set` as a table on `canvas` as one job, in set order, reporting on `progress`.
/// With a shell, the hour-glass shows and the progress box is visible while it runs.
/// EPrintError before the job begins when the font leaves no room for a record row.
void PrintDB(TTracklore& set, const TPrintJob& job, TPrintCanvas& canvas, TProgressBox& progress,
             TShell* shell = nullptr);

/// Draws one table row in `rect`: the look, then each column of non-zero width from
/// rect.Left + gap / 2, clipped at page width - 100. Leaves the brush clear.
void DrawPrintRow(TPrintCanvas& canvas, const TPrintRect& rect, int look,
                  const std::array<std::string, kPrintColumnCount>& texts, int gap,
                  const std::array<int, kPrintColumnCount>& widths);

/// Sketches header, footer and row look over the whole of `canvas` (the preview image),
/// in `font` at a quarter of its size.
void UpdatePreview(TPrintCanvas& canvas, bool header, bool footer, int look, const TFontDesc& font);

}  // namespace tracklore::ui
