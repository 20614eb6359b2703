#pragma once

#include <cstdint>

#include "platform/Geometry.h"
#include "platform/Window.h"

// The arithmetic of a window's frame: fitting a rectangle to the size limits, the maximised
// rectangle, the edges a sizing drag moves and the client area the non-client size leaves.
namespace platform::core {

// The proposed rectangle within the tracking sizes of `limits`; `edge` (a sizing hit-test
// code, or 0 for the bottom-right) is the one that gives way.
Rect FitToLimits(const Rect& proposed, const MinMaxInfo& limits, intptr_t edge);
// The maximised rectangle of the limits, within their tracking sizes.
Rect MaximizedRect(const MinMaxInfo& limits);
// `rect` with the edges a sizing drag of `edge` holds moved by the pointer's travel.
Rect MoveDraggedEdges(const Rect& rect, intptr_t edge, int dx, int dy);
// The client area (window coordinates) of the window rectangle for what WM_NCCALCSIZE
// answered (screen coordinates): never more than the window.
Rect ClientWithin(const Rect& window, const Rect& answer);

}  // namespace platform::core
