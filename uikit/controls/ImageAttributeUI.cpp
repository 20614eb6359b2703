#include "uikit/controls/ImageAttributeUI.h"

#include <cairo.h>

#include "uikit/image/ImagePainter.h"

namespace uikit {

void ImageAttributeUI::Set(std::u16string_view value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    descriptor_.reset();
}

bool ImageAttributeUI::Draw(cairo_t* cr, ResourceTablesUI& resources, const Rect& item,
                            const Rect& paint) {
    if (value_.empty() || cr == nullptr) {
        return false;
    }
    if (!descriptor_) {
        descriptor_ = ParseImageDescriptor(value_);
    }
    return DrawImageUI(cr, resources, *descriptor_, item, paint);
}

bool ImageAttributeUI::Draw(cairo_t* cr, ResourceTablesUI& resources, const Rect& item,
                            const Rect& paint, uint8_t alpha) {
    if (alpha == 255 || cr == nullptr) {
        return Draw(cr, resources, item, paint);
    }
    cairo_push_group(cr);
    const bool drawn = Draw(cr, resources, item, paint);
    cairo_pop_group_to_source(cr);
    if (drawn) {
        cairo_paint_with_alpha(cr, alpha / 255.0);
    }
    cairo_set_source_rgb(cr, 0, 0, 0);  // drop the group pattern
    return drawn;
}

}  // namespace uikit
