// The canvas printing draws on: text metrics, clipped text, lines, rectangles, brush and
// pen, page size and new pages. Qt implements it over QPainter; tests use fixed metrics.
#pragma once

namespace tracklore::ui {

class TPrintCanvas {
public:
    virtual ~TPrintCanvas() = default;
};

}  // namespace tracklore::ui
