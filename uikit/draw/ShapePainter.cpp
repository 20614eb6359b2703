#include "uikit/draw/ShapePainter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "uikit/draw/Color.h"

namespace uikit {

namespace {

void SetColor(cairo_t* cr, uint32_t color) {
    cairo_set_source_rgba(cr, ColorRed(color) / 255.0, ColorGreen(color) / 255.0,
                          ColorBlue(color) / 255.0, ColorAlpha(color) / 255.0);
}

void AddRect(cairo_t* cr, const Rect& rc) {
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
}

}  // namespace

void AddRoundRectPath(cairo_t* cr, double left, double top, double right, double bottom, double cx,
                      double cy) {
    const double rx = std::min(cx / 2, (right - left) / 2);
    const double ry = std::min(cy / 2, (bottom - top) / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, left, top, right - left, bottom - top);
        return;
    }
    // Each corner is a unit arc scaled into an ellipse quadrant.
    const auto corner = [cr, rx, ry](double x, double y, double from) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, from + std::numbers::pi / 2);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(right - rx, top + ry, -std::numbers::pi / 2);
    corner(right - rx, bottom - ry, 0);
    corner(left + rx, bottom - ry, std::numbers::pi / 2);
    corner(left + rx, top + ry, std::numbers::pi);
    cairo_close_path(cr);
}

void FillRect(cairo_t* cr, const Rect& rc, uint32_t color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty()) {
        return;
    }
    SetColor(cr, color);
    AddRect(cr, rc);
    cairo_fill(cr);
}

void FillRoundRect(cairo_t* cr, const Rect& rc, int cx, int cy, uint32_t color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty()) {
        return;
    }
    SetColor(cr, color);
    AddRoundRectPath(cr, rc.left, rc.top, rc.right, rc.bottom, cx, cy);
    cairo_fill(cr);
}

void DrawBorder(cairo_t* cr, const Rect& rc, int size, uint32_t color) {
    DrawBorder(cr, rc, Rect{size, size, size, size}, color);
}

void DrawBorder(cairo_t* cr, const Rect& rc, const Rect& sizes, uint32_t color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty()) {
        return;
    }
    const int l = std::clamp(sizes.left, 0, rc.Width());
    const int r = std::clamp(sizes.right, 0, rc.Width() - l);
    const int t = std::clamp(sizes.top, 0, rc.Height());
    const int b = std::clamp(sizes.bottom, 0, rc.Height() - t);
    SetColor(cr, color);
    cairo_rectangle(cr, rc.left, rc.top, rc.Width(), t);
    cairo_rectangle(cr, rc.left, rc.bottom - b, rc.Width(), b);
    cairo_rectangle(cr, rc.left, rc.top + t, l, rc.Height() - t - b);
    cairo_rectangle(cr, rc.right - r, rc.top + t, r, rc.Height() - t - b);
    cairo_fill(cr);
}

void DrawRoundBorder(cairo_t* cr, const Rect& rc, int size, int cx, int cy, uint32_t color) {
    if (ColorAlpha(color) == 0 || rc.IsEmpty() || size <= 0) {
        return;
    }
    const double half = size / 2.0;
    SetColor(cr, color);
    cairo_set_line_width(cr, size);
    AddRoundRectPath(cr, rc.left + half, rc.top + half, rc.right - half, rc.bottom - half, cx, cy);
    cairo_stroke(cr);
}

void DrawLine(cairo_t* cr, Point from, Point to, int size, uint32_t color) {
    if (ColorAlpha(color) == 0 || size <= 0) {
        return;
    }
    // Odd widths sit on pixel centres so a one-pixel line covers exactly one row of pixels.
    const double offset = (size % 2) ? 0.5 : 0.0;
    SetColor(cr, color);
    cairo_set_line_width(cr, size);
    cairo_move_to(cr, from.x + (from.y == to.y ? 0 : offset),
                  from.y + (from.y == to.y ? offset : 0));
    cairo_line_to(cr, to.x + (from.y == to.y ? 0 : offset), to.y + (from.y == to.y ? offset : 0));
    cairo_stroke(cr);
}

void FillGradient(cairo_t* cr, const Rect& rc, uint32_t first, uint32_t second, bool vertical) {
    if (rc.IsEmpty()) {
        return;
    }
    cairo_pattern_t* pattern = vertical ? cairo_pattern_create_linear(0, rc.top, 0, rc.bottom)
                                        : cairo_pattern_create_linear(rc.left, 0, rc.right, 0);
    const auto stop = [pattern](double at, uint32_t c) {
        cairo_pattern_add_color_stop_rgba(pattern, at, ColorRed(c) / 255.0, ColorGreen(c) / 255.0,
                                          ColorBlue(c) / 255.0, ColorAlpha(c) / 255.0);
    };
    stop(0, first);
    stop(1, second);
    cairo_set_source(cr, pattern);
    AddRect(cr, rc);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

ClipScope::ClipScope(cairo_t* cr, const Rect& rc) : cr_(cr) {
    cairo_save(cr_);
    AddRect(cr_, rc);
    cairo_clip(cr_);
}

ClipScope::ClipScope(cairo_t* cr, const Rect& rc, int cx, int cy) : cr_(cr) {
    cairo_save(cr_);
    AddRoundRectPath(cr_, rc.left, rc.top, rc.right, rc.bottom, cx, cy);
    cairo_clip(cr_);
}

ClipScope::~ClipScope() {
    cairo_restore(cr_);
}

}  // namespace uikit
