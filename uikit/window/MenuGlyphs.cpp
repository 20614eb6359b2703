#include "uikit/window/MenuGlyphs.h"

#include <cairo.h>

#include <algorithm>

#include "uikit/draw/Color.h"

namespace uikit {

namespace {

void SetOpaqueColor(cairo_t* cr, uint32_t color) {
    cairo_set_source_rgb(cr, ColorRed(color) / 255.0, ColorGreen(color) / 255.0,
                         ColorBlue(color) / 255.0);
}

}  // namespace

void DrawMenuCheckMark(cairo_t* cr, const Rect& box, uint32_t color) {
    const double side = std::min(box.Width(), box.Height());
    if (side < 4) {
        return;
    }
    const double x = box.left + (box.Width() - side) / 2.0;
    const double y = box.top + (box.Height() - side) / 2.0;
    cairo_save(cr);
    SetOpaqueColor(cr, color);
    cairo_set_line_width(cr, std::max(1.5, side / 7.0));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, x + side * 0.15, y + side * 0.52);
    cairo_line_to(cr, x + side * 0.40, y + side * 0.78);
    cairo_line_to(cr, x + side * 0.86, y + side * 0.24);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawMenuArrow(cairo_t* cr, const Rect& box, uint32_t color) {
    constexpr double kHalfHeight = 4;
    constexpr double kWidth = 4;
    if (box.Width() < kWidth || box.Height() < 2 * kHalfHeight) {
        return;
    }
    const double cx = box.left + box.Width() / 2.0;
    const double cy = box.top + box.Height() / 2.0;
    cairo_save(cr);
    SetOpaqueColor(cr, color);
    cairo_move_to(cr, cx - kWidth / 2, cy - kHalfHeight);
    cairo_line_to(cr, cx + kWidth / 2, cy);
    cairo_line_to(cr, cx - kWidth / 2, cy + kHalfHeight);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace uikit
