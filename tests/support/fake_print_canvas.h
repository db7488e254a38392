// A print canvas with fixed metrics for tests and benchmarks: every text is LineHeight high
// and CharWidth wide per byte; it records the pages and what was drawn on each.
#pragma once

#include <string>
#include <vector>

#include "ui/print_canvas.h"

namespace tracklore::test {

class TFakePrintCanvas : public ui::TPrintCanvas {
public:
    struct Text {
        int X;
        int Y;
        std::string Value;
        bool Bold;
        bool Clipped;
        ui::TPrintRect Clip;  // when clipped
    };
    struct Stroke {
        int X1, Y1, X2, Y2;
    };
    struct Fill {
        ui::TPrintRect Rect;
        ui::TPrintColor Color;
    };
    struct Page {
        std::vector<Text> Texts;
        std::vector<Stroke> Lines;
        std::vector<Fill> Fills;
        std::vector<Fill> Frames;
    };

    int Width = 4800;
    int Height = 6600;
    int LineHeight = 60;
    int CharWidth = 20;
    int BoldCharWidth = 20;
    /// When false, nothing is recorded (benchmarks).
    bool Record = true;

    std::vector<Page> Pages;
    std::vector<std::string> Titles;  // one per job begun
    int Jobs = 0;
    int JobsEnded = 0;
    std::vector<ui::TFontDesc> Fonts;  // every font set

    void BeginDoc(const std::string& title) override {
        ++Jobs;
        Titles.push_back(title);
        Pages.emplace_back();
        page_ = 1;
    }
    void EndDoc() override { ++JobsEnded; }
    void NewPage() override {
        Pages.emplace_back();
        ++page_;
    }
    int PageNumber() const override { return page_; }
    int PageWidth() const override { return Width; }
    int PageHeight() const override { return Height; }

    void SetFont(const ui::TFontDesc& font) override {
        Fonts.push_back(font);
        style_ = font.Style;
    }
    uint8_t FontStyle() const override { return style_; }
    void SetFontStyle(uint8_t style) override { style_ = style; }
    int TextWidth(const std::string& text) override {
        return (Bold() ? BoldCharWidth : CharWidth) * static_cast<int>(text.size());
    }
    int TextHeight(const std::string&) override { return LineHeight; }

    void SetPen(ui::TPrintColor) override {}
    void SetBrush(ui::TBrushStyle style, ui::TPrintColor color) override {
        solid_ = style == ui::TBrushStyle::Solid;
        color_ = color;
    }

    void TextOut(int x, int y, const std::string& text) override {
        if (Record) Current().Texts.push_back({x, y, text, Bold(), false, {}});
    }
    void TextRect(const ui::TPrintRect& clip, int x, int y, const std::string& text) override {
        if (Record) Current().Texts.push_back({x, y, text, Bold(), true, clip});
    }
    void Line(int x1, int y1, int x2, int y2) override {
        if (Record) Current().Lines.push_back({x1, y1, x2, y2});
    }
    void FillRect(const ui::TPrintRect& rect) override {
        if (Record && solid_) Current().Fills.push_back({rect, color_});
    }
    void FrameRect(const ui::TPrintRect& rect) override {
        if (Record && solid_) Current().Frames.push_back({rect, color_});
    }

    /// The texts of the page (0-based) equal to `value`.
    std::vector<Text> Find(size_t page, const std::string& value) const {
        std::vector<Text> found;
        for (const Text& text : Pages.at(page).Texts)
            if (text.Value == value) found.push_back(text);
        return found;
    }

private:
    bool Bold() const { return (style_ & ui::kFontBold) != 0; }
    Page& Current() {
        // Drawing outside a job (the preview image) goes to a page of its own.
        if (Pages.empty()) Pages.emplace_back();
        return Pages.back();
    }

    int page_ = 0;
    uint8_t style_ = 0;
    bool solid_ = true;
    ui::TPrintColor color_ = ui::kPrintWhite;
};

}  // namespace tracklore::test
