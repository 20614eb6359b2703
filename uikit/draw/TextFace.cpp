#include "uikit/draw/TextFace.h"

#include <cairo.h>

#include "uikit/draw/Color.h"
#include "uikit/draw/TextPainter.h"

namespace uikit {

void BeginTextDrawing(cairo_t* cr, const Rect& rc, uint32_t color, unsigned style) {
    cairo_save(cr);
    if (!(style & TextStyle::kNoClip)) {
        cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
        cairo_clip(cr);
    }
    cairo_set_source_rgb(cr, ColorRed(color) / 255.0, ColorGreen(color) / 255.0,
                         ColorBlue(color) / 255.0);
}

}  // namespace uikit
