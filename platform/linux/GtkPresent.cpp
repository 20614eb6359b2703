#include <cstring>

#include "platform/Messages.h"
#include "platform/core/RoundRegion.h"
#include "platform/linux/GtkWindows.h"
#include "platform/linux/X11Shape.h"

// Drawing the presented bitmap, window shapes, and the pointer: capture, cursor and drags.
namespace platform::gtk {

void GtkWindows::Present(WindowId window, const BitmapView& bitmap) {
    Native* native = Find(window);
    if (native == nullptr) {
        return;
    }
    cairo_surface_t* surface = native->surface;
    if (surface == nullptr || cairo_image_surface_get_width(surface) != bitmap.width ||
        cairo_image_surface_get_height(surface) != bitmap.height) {
        if (surface != nullptr) {
            cairo_surface_destroy(surface);
        }
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bitmap.width, bitmap.height);
        native->surface = surface;
    }
    cairo_surface_flush(surface);
    uint8_t* target = cairo_image_surface_get_data(surface);
    const int targetStride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < bitmap.height; ++y) {
        std::memcpy(target + static_cast<size_t>(y) * targetStride,
                    bitmap.pixels + static_cast<size_t>(y) * bitmap.stride,
                    static_cast<size_t>(bitmap.width) * 4);
    }
    cairo_surface_mark_dirty(surface);
    ApplyShapes(*native);
    if (!native->painting) {
        gtk_widget_queue_draw(native->widget);
    }
}

void GtkWindows::Invalidate(WindowId window) {
    if (Native* native = Find(window)) {
        gtk_widget_queue_draw(native->widget);
    }
}

cairo_region_t* GtkWindows::RegionShape(const Native& native) {
    const auto record = core_.Find(native.id);
    if (record == nullptr || !record->region) {
        return nullptr;
    }
    cairo_region_t* shape = cairo_region_create();
    for (const Rect& r :
         core::RegionRectangles(*record->region, record->rect.Width(), record->rect.Height())) {
        const cairo_rectangle_int_t row{r.left, r.top, r.Width(), r.Height()};
        cairo_region_union_rectangle(shape, &row);
    }
    return shape;
}

namespace {

void ApplyInputShape(GtkWidget* widget, GdkWindow* window, const cairo_region_t* region,
                     bool wasShaped) {
    if (region != nullptr) {
        if (!SetX11WindowShape(window, region, ShapeKind::Input)) {
            gtk_widget_input_shape_combine_region(widget, const_cast<cairo_region_t*>(region));
        }
    } else if (wasShaped && !ClearX11WindowShape(window, ShapeKind::Input)) {
        gtk_widget_input_shape_combine_region(widget, nullptr);
    }
}

void ApplyBoundingShape(GtkWidget* widget, GdkWindow* window, const cairo_region_t* shape,
                        bool wasShaped) {
    if (shape != nullptr) {
        if (!SetX11WindowShape(window, shape)) {
            gtk_widget_shape_combine_region(widget, const_cast<cairo_region_t*>(shape));
        }
    } else if (wasShaped && !ClearX11WindowShape(window)) {
        gtk_widget_shape_combine_region(widget, nullptr);
    }
}

}  // namespace

// Without a compositor translucent pixels would show black: such a window is cut to the shape
// of its opaque pixels instead. Click-through windows take no input anywhere. A window region
// cuts both what shows and where input lands.
void GtkWindows::ApplyShapes(Native& native) {
    if (native.clickThrough) {
        cairo_region_t* none = cairo_region_create();
        gtk_widget_input_shape_combine_region(native.widget, none);
        cairo_region_destroy(none);
    }
    // Shapes are set on the X window itself, so they wait until there is one (Show).
    GdkWindow* window = gtk_widget_get_window(native.widget);
    if (window == nullptr) {
        return;
    }
    cairo_region_t* region = RegionShape(native);
    if (!native.clickThrough) {
        ApplyInputShape(native.widget, window, region, native.shaped);
    }
    if (native.layered && !Composited() && native.surface != nullptr) {
        cairo_region_t* opaque = gdk_cairo_region_create_from_surface(native.surface);
        if (region != nullptr) {
            cairo_region_intersect(opaque, region);
        }
        ApplyBoundingShape(native.widget, window, opaque, native.shaped);
        cairo_region_destroy(opaque);
    } else {
        ApplyBoundingShape(native.widget, window, region, native.shaped);
    }
    native.shaped = region != nullptr;
    if (region != nullptr) {
        cairo_region_destroy(region);
    }
}

void GtkWindows::Draw(WindowId window, cairo_t* cr) {
    Native* native = Find(window);
    if (native == nullptr) {
        return;
    }
    native->painting = true;
    core_.Send(window, WM_PAINT, 0, 0);
    native = Find(window);  // the paint handler may have destroyed the window
    if (native == nullptr) {
        return;
    }
    native->painting = false;
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (native->surface != nullptr) {
        // The bitmap is the client area's, which a window's own frame may inset.
        const auto record = core_.Find(window);
        const Rect client = record != nullptr ? record->client : Rect{};
        cairo_set_source_surface(cr, native->surface, client.left, client.top);
    } else {
        cairo_set_source_rgba(cr, 0, 0, 0, native->layered ? 0 : 1);
    }
    cairo_paint(cr);
}

void GtkWindows::Capture(WindowId window) {
    if (grabbedSeat_ != nullptr) {
        gdk_seat_ungrab(grabbedSeat_);
        grabbedSeat_ = nullptr;
    }
    Native* native = Find(window);
    if (native == nullptr || !gtk_widget_get_realized(native->widget)) {
        return;
    }
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    if (gdk_seat_grab(seat, gtk_widget_get_window(native->widget), GDK_SEAT_CAPABILITY_ALL_POINTING,
                      FALSE, nullptr, nullptr, nullptr, nullptr) == GDK_GRAB_SUCCESS) {
        grabbedSeat_ = seat;
    }
}

void GtkWindows::SetCursor(WindowId under, Cursor cursor) {
    Native* native = Find(under);
    if (native == nullptr || !gtk_widget_get_realized(native->widget)) {
        return;
    }
    GdkCursor* shape = gdk_cursor_new_from_name(gdk_display_get_default(),
                                                cursor == Cursor::Hand ? "pointer" : "default");
    gdk_window_set_cursor(gtk_widget_get_window(native->widget), shape);
    if (shape != nullptr) {
        g_object_unref(shape);
    }
}

bool GtkWindows::BeginMoveDrag(WindowId window, Point screen) {
    GtkWindow* gtkWindow = GtkOf(window);
    if (gtkWindow == nullptr) {
        return false;
    }
    gtk_window_begin_move_drag(gtkWindow, 1, screen.x, screen.y, gtk_get_current_event_time());
    return true;
}

bool GtkWindows::BeginResizeDrag(const core::WindowRecord& window, intptr_t hit, Point screen) {
    Native* native = Find(window.id);
    if (native == nullptr) {
        return false;
    }
    ApplyLimits(*native, window);
    GtkWindow* gtkWindow = GTK_WINDOW(native->widget);
    GdkWindowEdge edge = GDK_WINDOW_EDGE_SOUTH_EAST;
    switch (hit) {
        case HTLEFT:
            edge = GDK_WINDOW_EDGE_WEST;
            break;
        case HTRIGHT:
            edge = GDK_WINDOW_EDGE_EAST;
            break;
        case HTTOP:
            edge = GDK_WINDOW_EDGE_NORTH;
            break;
        case HTTOPLEFT:
            edge = GDK_WINDOW_EDGE_NORTH_WEST;
            break;
        case HTTOPRIGHT:
            edge = GDK_WINDOW_EDGE_NORTH_EAST;
            break;
        case HTBOTTOM:
            edge = GDK_WINDOW_EDGE_SOUTH;
            break;
        case HTBOTTOMLEFT:
            edge = GDK_WINDOW_EDGE_SOUTH_WEST;
            break;
        default:
            break;
    }
    gtk_window_begin_resize_drag(gtkWindow, edge, 1, screen.x, screen.y,
                                 gtk_get_current_event_time());
    return true;
}

}  // namespace platform::gtk
