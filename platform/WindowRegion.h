#pragma once

#include "platform/Geometry.h"
#include "platform/WindowPost.h"

// The shape a window is cut to: nothing of it shows, and no mouse input reaches it, outside its
// region. Calls belong to the UI thread.
namespace platform {

// A rounded rectangle in window coordinates. As on the system the window library was written
// for, the outline runs from (left, top) to (right - 1, bottom - 1), so a region for the whole
// window is the window's size plus one; the corners are quarter ellipses of the corner width
// and height.
struct WindowRegion {
    Rect bounds;
    int cornerWidth = 0;
    int cornerHeight = 0;
    bool operator==(const WindowRegion&) const = default;
};

void SetWindowRegion(WindowId window, const WindowRegion& region);
void ClearWindowRegion(WindowId window);
// False when the window has no region (it is a whole rectangle).
bool GetWindowRegion(WindowId window, WindowRegion& region);

// Whether the pixel at a point in window coordinates lies inside the region.
bool RegionContains(const WindowRegion& region, Point pixel);

}  // namespace platform
