#pragma once

#include <vector>

#include "platform/WindowRegion.h"

namespace platform::core {

// The region's pixels inside a window of the given size as rectangles (window coordinates),
// top to bottom, each row's span once, equal neighbouring rows merged: what a native shape is
// made of.
std::vector<Rect> RegionRectangles(const WindowRegion& region, int width, int height);

}  // namespace platform::core
