#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "uikit/draw/Geometry.h"

namespace uikit {

struct ImageData;

// What an image attribute of a control asks for: which image and how to cut, stretch and blend
// it. Parsed once per attribute value; the loaded image is kept here after the first lookup.
struct ImageDescriptor {
    std::u16string attribute;  // the attribute value this was parsed from
    std::u16string name;       // archive member, resource name, or the colour for "*COLOR*"
    std::u16string resType;    // empty = the skin archive
    Rect dest;                 // offsets from the control's left and top; all 0 = the whole control
    Rect source;               // all 0 = the whole image
    Rect corners;              // nine-part stretch corner sizes
    uint32_t mask = 0;
    uint8_t fade = 255;
    bool hole = false;
    bool xTiled = false;
    bool yTiled = false;
    bool hsl = false;

    std::shared_ptr<const ImageData> image;  // cached after the first successful lookup
    bool lookedUp = false;                   // so a missing image is not searched every paint
};

inline constexpr std::u16string_view kColorResType = u"*COLOR*";

// A bare image name, or key='value' pairs separated by whitespace (see ImageDescriptor.cpp).
ImageDescriptor ParseImageDescriptor(std::u16string_view value);

}  // namespace uikit
