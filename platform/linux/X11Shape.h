#pragma once

#include <gtk/gtk.h>

namespace platform::gtk {

// Cuts a shown window to the region (window coordinates) on the X server. GDK keeps a toplevel's
// shape to itself on some servers, so it is set here directly. False when not on X11.
bool SetX11WindowShape(GdkWindow* window, const cairo_region_t* region);

}  // namespace platform::gtk
