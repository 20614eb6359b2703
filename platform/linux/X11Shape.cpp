#include "platform/linux/X11Shape.h"

#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

#include <vector>

namespace platform::gtk {

namespace {

int X11Kind(ShapeKind kind) {
    return kind == ShapeKind::Input ? ShapeInput : ShapeBounding;
}

}  // namespace

bool SetX11WindowShape(GdkWindow* window, const cairo_region_t* region, ShapeKind kind) {
    if (window == nullptr || !GDK_IS_X11_WINDOW(window)) {
        return false;
    }
    std::vector<XRectangle> rectangles;
    const int count = cairo_region_num_rectangles(region);
    for (int i = 0; i < count; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(region, i, &r);
        rectangles.push_back(XRectangle{static_cast<short>(r.x), static_cast<short>(r.y),
                                        static_cast<unsigned short>(r.width),
                                        static_cast<unsigned short>(r.height)});
    }
    XShapeCombineRectangles(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), X11Kind(kind), 0,
                            0, rectangles.data(), count, ShapeSet, Unsorted);
    XFlush(GDK_WINDOW_XDISPLAY(window));
    return true;
}

bool ClearX11WindowShape(GdkWindow* window, ShapeKind kind) {
    if (window == nullptr || !GDK_IS_X11_WINDOW(window)) {
        return false;
    }
    XShapeCombineMask(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), X11Kind(kind), 0, 0,
                      None, ShapeSet);
    XFlush(GDK_WINDOW_XDISPLAY(window));
    return true;
}

}  // namespace platform::gtk
