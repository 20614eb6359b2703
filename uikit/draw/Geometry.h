#pragma once

#include "platform/Geometry.h"

// The control library measures in the platform's own types, so that rectangles pass between
// controls and windows as they are.
namespace uikit {

using platform::Intersect;
using platform::MakeRect;
using platform::Point;
using platform::Rect;
using platform::Size;

}  // namespace uikit
