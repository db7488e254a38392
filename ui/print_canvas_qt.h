// The print canvas over a QPainter: on a printer, a PDF writer or an image, in the device's
// own pixels. Needs Qt Gui only.
#pragma once

#include <QFont>
#include <QPainter>
#include <functional>
#include <string>

#include "ui/print_canvas.h"

class QPaintDevice;
class QPagedPaintDevice;

namespace tracklore::ui {

/// The face, point size (at least 1) and style bits of `font` as a QFont.
QFont ToPrintFont(const TFontDesc& font);

class TQtPrintCanvas : public TPrintCanvas {
public:
    /// A canvas on `device`; `paged` (the same device, when it has pages) gets NewPage;
    /// `nameJob` is told the job's title when it begins (QPrinter::setDocName...).
    TQtPrintCanvas(QPaintDevice& device, QPagedPaintDevice* paged,
                   std::function<void(const QString&)> nameJob = {});
    /// Ends a job still running.
    ~TQtPrintCanvas() override;

    void BeginDoc(const std::string& title) override;
    void EndDoc() override;
    void NewPage() override;
    int PageNumber() const override { return page_; }
    int PageWidth() const override;
    int PageHeight() const override;

    void SetFont(const TFontDesc& font) override;
    uint8_t FontStyle() const override { return style_; }
    void SetFontStyle(uint8_t style) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;

    void SetPen(TPrintColor color) override;
    void SetBrush(TBrushStyle style, TPrintColor color) override;

    void TextOut(int x, int y, const std::string& text) override;
    void TextRect(const TPrintRect& clip, int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void FillRect(const TPrintRect& rect) override;
    void FrameRect(const TPrintRect& rect) override;

    /// Begins painting without a job (an image): BeginDoc does this on paged devices.
    void BeginImage();

private:
    void ApplyFont();

    QPaintDevice& device_;
    QPagedPaintDevice* paged_;
    std::function<void(const QString&)> nameJob_;
    QPainter painter_;
    TFontDesc fontDesc_;
    QFont font_;
    uint8_t style_ = 0;
    QColor pen_ = Qt::black;
    QColor brush_ = Qt::white;
    bool brushSolid_ = true;
    int page_ = 0;
};

}  // namespace tracklore::ui
