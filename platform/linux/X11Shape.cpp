#include "platform/linux/X11Shape.h"

#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

#include <vector>

namespace platform::gtk {

bool SetX11WindowShape(GdkWindow* window, const cairo_region_t* region) {
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
    XShapeCombineRectangles(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), ShapeBounding, 0,
                            0, rectangles.data(), count, ShapeSet, Unsorted);
    return true;
}

}  // namespace platform::gtk
