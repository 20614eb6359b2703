#pragma once

#include <algorithm>

#include "uikit/draw/Geometry.h"

namespace uikit {

// The largest coordinate, size or gap a control keeps. Far beyond any screen, and small enough
// that layouts may add up thousands of them without leaving the range of int.
inline constexpr int kMaxExtentUI = 1 << 16;

inline int ClampExtent(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -kMaxExtentUI, kMaxExtentUI));
}

inline Rect ClampExtent(const Rect& rc) {
    return Rect{ClampExtent(rc.left), ClampExtent(rc.top), ClampExtent(rc.right),
                ClampExtent(rc.bottom)};
}

}  // namespace uikit
