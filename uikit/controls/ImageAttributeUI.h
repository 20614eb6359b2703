#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "uikit/draw/Geometry.h"
#include "uikit/image/ImageDescriptor.h"

typedef struct _cairo cairo_t;

namespace uikit {

class ResourceTablesUI;

// One image attribute of a control: the markup text, parsed into a descriptor on first draw so
// controls that are never painted never parse or load anything.
class ImageAttributeUI {
  public:
    void Set(std::u16string_view value);
    const std::u16string& Value() const { return value_; }
    bool IsEmpty() const { return value_.empty(); }
    // False when there is no image to draw (empty attribute or image not found).
    bool Draw(cairo_t* cr, ResourceTablesUI& resources, const Rect& item, const Rect& paint);
    // The same at a constant opacity (255 = as the descriptor says), for fading states.
    bool Draw(cairo_t* cr, ResourceTablesUI& resources, const Rect& item, const Rect& paint,
              uint8_t alpha);

  private:
    std::u16string value_;
    std::optional<ImageDescriptor> descriptor_;
};

}  // namespace uikit
