#pragma once

#include <cstdint>

#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

// The small marks of menu items, drawn as shapes so they follow the item's text colour and need
// no image in the skin. Colours are 0xAARRGGBB; like text they are drawn opaque.
namespace uikit {

// A tick centred in the box, for a checked item.
void DrawMenuCheckMark(cairo_t* cr, const Rect& box, uint32_t color);

// A small triangle pointing right, centred in the box, for an item that opens a sub-menu.
void DrawMenuArrow(cairo_t* cr, const Rect& box, uint32_t color);

}  // namespace uikit
