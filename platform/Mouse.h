#pragma once

#include <cstdint>

#include "platform/WindowPost.h"

// Mouse capture, leave and hover tracking, and the pointer's shape.
namespace platform {

// While a window holds the capture it receives every mouse message, wherever the pointer is.
void SetCapture(WindowId window);
void ReleaseCapture();
WindowId GetCapture();

constexpr uint32_t kTrackLeave = 1;
constexpr uint32_t kTrackHover = 2;
constexpr uint32_t kDefaultHoverMs = 400;

// One WM_MOUSELEAVE when the pointer leaves the window (at once when it is not over it now),
// one WM_MOUSEHOVER when it rests hoverMs over it; each must be asked for again afterwards.
void TrackMouse(WindowId window, uint32_t flags, uint32_t hoverMs = kDefaultHoverMs);

enum class Cursor { Arrow, Hand };
void SetCursor(Cursor cursor);

}  // namespace platform
