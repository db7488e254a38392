// The print canvas over a QPainter: printer, PDF writer or image.
#include "ui/print_canvas_qt.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPen>
#include <algorithm>

#include "core/messages.h"
#include "ui/print_layout.h"

namespace tracklore::ui {

namespace {

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(TPrintColor color) {
    return QColor(color.Red, color.Green, color.Blue);
}

QRect ToQRect(const TPrintRect& rect) {
    return QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

}  // namespace

QFont ToPrintFont(const TFontDesc& font) {
    QFont result;
    if (!font.Name.empty()) result.setFamilies({ToQString(font.Name)});
    result.setStyleHint(QFont::SansSerif);
    result.setPointSize(std::max(1, static_cast<int>(font.Size)));
    result.setBold((font.Style & kFontBold) != 0);
    result.setItalic((font.Style & kFontItalic) != 0);
    result.setUnderline((font.Style & kFontUnderline) != 0);
    result.setStrikeOut((font.Style & kFontStrikeOut) != 0);
    return result;
}

TQtPrintCanvas::TQtPrintCanvas(QPaintDevice& device, QPagedPaintDevice* paged,
                               std::function<void(const QString&)> nameJob)
    : device_(device), paged_(paged), nameJob_(std::move(nameJob)) {
    fontDesc_.Name = "Arial";
    fontDesc_.Size = 8;
    ApplyFont();
}

TQtPrintCanvas::~TQtPrintCanvas() {
    try {
        if (painter_.isActive()) painter_.end();
    } catch (...) {
    }
}

void TQtPrintCanvas::BeginDoc(const std::string& title) {
    if (nameJob_) nameJob_(ToQString(title));
    BeginImage();
}

void TQtPrintCanvas::BeginImage() {
    // QPainter::begin fails on a printer that cannot start a job (no such file, no queue).
    if (!painter_.isActive() && !painter_.begin(&device_)) throw EPrintError(msg::PrintJobFailed);
    painter_.setFont(font_);
    painter_.setBackgroundMode(Qt::TransparentMode);
    page_ = 1;
}

void TQtPrintCanvas::EndDoc() {
    if (painter_.isActive()) painter_.end();
}

void TQtPrintCanvas::NewPage() {
    // A printer that dropped the job (cancelled, spooler gone) refuses the page; going on
    // would paint the rest into nothing and report the job as printed.
    if (paged_ != nullptr && !paged_->newPage()) throw EPrintError(msg::PrintNewPageFailed);
    ++page_;
}

int TQtPrintCanvas::PageWidth() const {
    return device_.width();
}

int TQtPrintCanvas::PageHeight() const {
    return device_.height();
}

void TQtPrintCanvas::SetFont(const TFontDesc& font) {
    fontDesc_ = font;
    style_ = font.Style;
    ApplyFont();
}

void TQtPrintCanvas::SetFontStyle(uint8_t style) {
    style_ = style;
    ApplyFont();
}

void TQtPrintCanvas::ApplyFont() {
    TFontDesc styled = fontDesc_;
    styled.Style = style_;
    // Sized for the device, so metrics taken before the job begins are the printed ones.
    font_ = QFont(ToPrintFont(styled), &device_);
    if (painter_.isActive()) painter_.setFont(font_);
}

int TQtPrintCanvas::TextWidth(const std::string& text) {
    return QFontMetrics(font_, &device_).horizontalAdvance(ToQString(text));
}

int TQtPrintCanvas::TextHeight(const std::string&) {
    return QFontMetrics(font_, &device_).height();
}

void TQtPrintCanvas::SetPen(TPrintColor color) {
    pen_ = ToQColor(color);
}

void TQtPrintCanvas::SetBrush(TBrushStyle style, TPrintColor color) {
    brushSolid_ = style == TBrushStyle::Solid;
    brush_ = ToQColor(color);
}

void TQtPrintCanvas::TextOut(int x, int y, const std::string& text) {
    painter_.setPen(QPen(Qt::black));
    painter_.drawText(x, y + QFontMetrics(font_, &device_).ascent(), ToQString(text));
}

void TQtPrintCanvas::TextRect(const TPrintRect& clip, int x, int y, const std::string& text) {
    if (clip.Right <= clip.Left || clip.Bottom <= clip.Top) return;
    painter_.save();
    painter_.setClipRect(ToQRect(clip));
    TextOut(x, y, text);
    painter_.restore();
}

void TQtPrintCanvas::Line(int x1, int y1, int x2, int y2) {
    painter_.setPen(QPen(pen_, 0));
    painter_.drawLine(x1, y1, x2, y2);
}

void TQtPrintCanvas::FillRect(const TPrintRect& rect) {
    if (brushSolid_) painter_.fillRect(ToQRect(rect), brush_);
}

void TQtPrintCanvas::FrameRect(const TPrintRect& rect) {
    if (!brushSolid_ || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
    const int width = rect.Right - rect.Left;
    const int height = rect.Bottom - rect.Top;
    painter_.fillRect(rect.Left, rect.Top, width, 1, brush_);
    painter_.fillRect(rect.Left, rect.Bottom - 1, width, 1, brush_);
    painter_.fillRect(rect.Left, rect.Top, 1, height, brush_);
    painter_.fillRect(rect.Right - 1, rect.Top, 1, height, brush_);
}

}  // namespace tracklore::ui
