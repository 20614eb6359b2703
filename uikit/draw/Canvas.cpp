#include "uikit/draw/Canvas.h"

#include <cairo.h>

#include "uikit/draw/Color.h"

namespace uikit {

Canvas::Canvas(int width, int height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width > 0 ? width : 1,
                                          height > 0 ? height : 1);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        return;
    }
    width_ = cairo_image_surface_get_width(surface_);
    height_ = cairo_image_surface_get_height(surface_);
    cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
    if (cr_) {
        cairo_destroy(cr_);
    }
    cairo_surface_destroy(surface_);
}

void Canvas::Clear(uint32_t argb) {
    if (!cr_) {
        return;
    }
    cairo_save(cr_);
    cairo_reset_clip(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr_, ColorRed(argb) / 255.0, ColorGreen(argb) / 255.0,
                          ColorBlue(argb) / 255.0, ColorAlpha(argb) / 255.0);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

uint32_t Canvas::Pixel(int x, int y) const {
    if (!cr_ || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    cairo_surface_flush(surface_);
    const unsigned char* row = cairo_image_surface_get_data(surface_) +
                               static_cast<size_t>(y) * cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

bool Canvas::WritePng(const std::string& path) const {
    return cr_ && cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace uikit
