#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "uikit/image/RgbaPixels.h"

namespace uikit {

bool LooksLikePng(std::span<const uint8_t> bytes);

// Nothing when the bytes are not a whole, undamaged PNG within the image limits.
std::optional<RgbaPixels> DecodePng(std::span<const uint8_t> bytes);

}  // namespace uikit
