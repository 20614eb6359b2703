#pragma once

#include <cstdint>

namespace uikit {

// The largest image the skin may hold. The skin's own images are a few hundred pixels a side;
// the limits keep a damaged or foreign file from asking for gigabytes before a pixel is read.
inline constexpr int kMaxImageSide = 8192;
inline constexpr int64_t kMaxImagePixels = int64_t{4096} * 4096;
// All frames of one animation together, each a full canvas.
inline constexpr int64_t kMaxAnimationPixels = int64_t{64} << 20;

inline bool FitsImageLimits(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

}  // namespace uikit
