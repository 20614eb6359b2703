#pragma once

#include <gtk/gtk.h>

namespace platform::gtk {

// Which of a window's shapes: what shows of it, or where it takes input.
enum class ShapeKind { Bounding, Input };

// Cuts a shown window to the region (window coordinates) on the X server. GDK keeps a toplevel's
// shape to itself on some servers, so it is set here directly. False when not on X11.
bool SetX11WindowShape(GdkWindow* window, const cairo_region_t* region,
                       ShapeKind kind = ShapeKind::Bounding);
// Makes the window a whole rectangle again.
bool ClearX11WindowShape(GdkWindow* window, ShapeKind kind = ShapeKind::Bounding);

}  // namespace platform::gtk
