#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "uikit/image/RgbaPixels.h"

namespace uikit {

bool LooksLikeJpeg(std::span<const uint8_t> bytes);

// Nothing when the bytes are not a whole, undamaged JPEG within the image limits; a file the
// decoder would only warn about (cut short, bad entropy data) counts as damaged.
std::optional<RgbaPixels> DecodeJpeg(std::span<const uint8_t> bytes);

}  // namespace uikit
