#pragma once

#include <cstdint>
#include <vector>

#include "uikit/controls/TaggedTextUI.h"
#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

namespace uikit {

class CWindowManagerUI;

// What a control hands the tagged-text painter besides the text.
struct TaggedPaintParamsUI {
    CWindowManagerUI* manager = nullptr;  // fonts, images and the window's link colours
    int fontId = -1;
    uint32_t color = 0xFF000000;
    unsigned style = 0;  // TextStyle flags
    int hoverLink = -1;
};

// Lays tagged text out in `rc` line by line, aligned by the style flags, and draws it when `cr`
// is given. Returns the size the text takes; `linkRects` receives one rectangle per link piece
// with the link index, for hit testing.
struct TaggedLinkRectUI {
    int link = -1;
    Rect rc;
};
Size PaintTaggedText(cairo_t* cr, const TaggedTextUI& text, const Rect& rc,
                     const TaggedPaintParamsUI& params,
                     std::vector<TaggedLinkRectUI>* linkRects = nullptr);

}  // namespace uikit
