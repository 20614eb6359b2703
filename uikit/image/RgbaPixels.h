#pragma once

#include <cstdint>
#include <vector>

namespace uikit {

// Decoded pixels as 8-bit red, green, blue and straight alpha, rows top-down without padding.
struct RgbaPixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

}  // namespace uikit
