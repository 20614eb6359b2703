#include "uikit/manager/PresentCanvasUI.h"

#include <cairo.h>

#include "platform/Present.h"

namespace uikit {

void PresentCanvas(platform::WindowId window, const Canvas& canvas) {
    if (window == 0 || !canvas.IsValid()) {
        return;
    }
    // Cairo may still hold drawing back; the window must get the finished pixels.
    cairo_surface_flush(canvas.Surface());
    platform::BitmapView view;
    view.pixels = cairo_image_surface_get_data(canvas.Surface());
    view.width = canvas.Width();
    view.height = canvas.Height();
    view.stride = cairo_image_surface_get_stride(canvas.Surface());
    if (view.pixels != nullptr) {
        platform::PresentBitmap(window, view);
    }
}

}  // namespace uikit
