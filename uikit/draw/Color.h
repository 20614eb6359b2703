#pragma once

#include <cstdint>

// Colours are 0xAARRGGBB, straight (not premultiplied) alpha, as the markup writes them.
namespace uikit {

inline uint8_t ColorAlpha(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 24);
}
inline uint8_t ColorRed(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 16);
}
inline uint8_t ColorGreen(uint32_t argb) {
    return static_cast<uint8_t>(argb >> 8);
}
inline uint8_t ColorBlue(uint32_t argb) {
    return static_cast<uint8_t>(argb);
}

// The pixel value of a cairo ARGB32 surface: each channel multiplied by alpha, truncating, the
// way the skin's mask colours were chosen.
inline uint32_t PremultiplyPixel(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    const auto scale = [a](uint8_t c) { return static_cast<uint32_t>(c) * a / 255u; };
    return static_cast<uint32_t>(a) << 24 | scale(r) << 16 | scale(g) << 8 | scale(b);
}

}  // namespace uikit
