#pragma once

#include <cstdint>

#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

// Solid shapes, borders and gradients. Colours are 0xAARRGGBB; a colour with alpha 0 paints
// nothing, so "no colour" (0) in markup never darkens anything.
namespace uikit {

void FillRect(cairo_t* cr, const Rect& rc, uint32_t color);

// Rounded corners are quarter ellipses of width cx and height cy (the whole ellipse, not radii).
void FillRoundRect(cairo_t* cr, const Rect& rc, int cx, int cy, uint32_t color);

// A border of `size` pixels drawn inside the rectangle.
void DrawBorder(cairo_t* cr, const Rect& rc, int size, uint32_t color);
// Per-side widths l,t,r,b, inside the rectangle.
void DrawBorder(cairo_t* cr, const Rect& rc, const Rect& sizes, uint32_t color);
void DrawRoundBorder(cairo_t* cr, const Rect& rc, int size, int cx, int cy, uint32_t color);

void DrawLine(cairo_t* cr, Point from, Point to, int size, uint32_t color);

// From `first` to `second`, top to bottom when vertical, else left to right.
void FillGradient(cairo_t* cr, const Rect& rc, uint32_t first, uint32_t second, bool vertical);

// Restricts drawing to a rectangle (optionally with rounded corners) for its lifetime.
class ClipScope {
  public:
    ClipScope(cairo_t* cr, const Rect& rc);
    ClipScope(cairo_t* cr, const Rect& rc, int cx, int cy);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

  private:
    cairo_t* cr_;
};

// Adds the path of a rectangle with elliptic corners to the current path.
void AddRoundRectPath(cairo_t* cr, double left, double top, double right, double bottom, double cx,
                      double cy);

}  // namespace uikit
