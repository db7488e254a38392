// The canvas printing draws on: text metrics, clipped text, lines, rectangles, brush and
// pen, page size and new pages. Qt implements it over QPainter; tests use fixed metrics.
#pragma once

#include <cstdint>
#include <string>

#include "ui/prefs.h"

namespace tracklore::ui {

/// A rectangle in device pixels: Left and Top inside, Right and Bottom just outside.
struct TPrintRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TPrintRect&) const = default;
};

struct TPrintColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    bool operator==(const TPrintColor&) const = default;
};

inline constexpr TPrintColor kPrintBlack{0, 0, 0};
inline constexpr TPrintColor kPrintWhite{255, 255, 255};
inline constexpr TPrintColor kPrintSilver{192, 192, 192};

/// A solid brush fills; a clear brush leaves what is below.
enum class TBrushStyle { Solid, Clear };

class TPrintCanvas {
public:
    virtual ~TPrintCanvas() = default;

    /// Starts the print job named `title` on its first page. Page size and text metrics are
    /// valid before the job begins, so a layout can be checked first.
    virtual void BeginDoc(const std::string& title) = 0;
    /// Ends the job: the pages go to the output.
    virtual void EndDoc() = 0;
    /// Ends the current page and starts the next; EPrintError when the output refuses it.
    virtual void NewPage() = 0;
    /// The job's current page, from 1.
    virtual int PageNumber() const = 0;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    /// Face, point size and style of the font of everything written from now on (its colour
    /// is ignored: text is black).
    virtual void SetFont(const TFontDesc& font) = 0;
    /// The style bits of the current font (kFontBold...).
    virtual uint8_t FontStyle() const = 0;
    virtual void SetFontStyle(uint8_t style) = 0;
    /// Width and height of `text` in the current font.
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;

    /// A solid one-pixel pen of `color` for lines.
    virtual void SetPen(TPrintColor color) = 0;
    virtual void SetBrush(TBrushStyle style, TPrintColor color) = 0;

    /// Writes `text` with its top-left corner at (x, y) on a transparent background.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    /// As TextOut, but only what falls inside `clip` shows; an empty or inverted clip
    /// shows nothing.
    virtual void TextRect(const TPrintRect& clip, int x, int y, const std::string& text) = 0;
    /// A line with the pen from (x1, y1) to (x2, y2).
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    /// Fills `rect` with the brush (nothing when the brush is clear).
    virtual void FillRect(const TPrintRect& rect) = 0;
    /// A one-pixel border just inside `rect` in the brush's colour (nothing when clear).
    virtual void FrameRect(const TPrintRect& rect) = 0;
};

}  // namespace tracklore::ui
