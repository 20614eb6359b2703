#include "uikit/controls/ImageAttributeUI.h"

#include "uikit/ImagePainter.h"

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

}  // namespace uikit
