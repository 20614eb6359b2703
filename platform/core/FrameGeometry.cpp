#include "platform/core/FrameGeometry.h"

#include <algorithm>

#include "platform/Messages.h"

namespace platform::core {

namespace {

// The minimum wins over a smaller maximum, as it does on the system the library was written
// for.
int Fit(int side, int minimum, int maximum) {
    return std::max({minimum, 0, std::min(side, maximum)});
}

bool MovesLeftEdge(intptr_t edge) {
    return edge == HTLEFT || edge == HTTOPLEFT || edge == HTBOTTOMLEFT;
}

bool MovesRightEdge(intptr_t edge) {
    return edge == HTRIGHT || edge == HTTOPRIGHT || edge == HTBOTTOMRIGHT;
}

bool MovesTopEdge(intptr_t edge) {
    return edge == HTTOP || edge == HTTOPLEFT || edge == HTTOPRIGHT;
}

bool MovesBottomEdge(intptr_t edge) {
    return edge == HTBOTTOM || edge == HTBOTTOMLEFT || edge == HTBOTTOMRIGHT;
}

}  // namespace

Rect FitToLimits(const Rect& proposed, const MinMaxInfo& limits, intptr_t edge) {
    const int width = Fit(proposed.Width(), limits.minTrackSize.x, limits.maxTrackSize.x);
    const int height = Fit(proposed.Height(), limits.minTrackSize.y, limits.maxTrackSize.y);
    Rect rect = proposed;
    if (MovesLeftEdge(edge)) {
        rect.left = rect.right - width;
    } else {
        rect.right = rect.left + width;
    }
    if (MovesTopEdge(edge)) {
        rect.top = rect.bottom - height;
    } else {
        rect.bottom = rect.top + height;
    }
    return rect;
}

Rect MaximizedRect(const MinMaxInfo& limits) {
    const int width = Fit(limits.maxSize.x, limits.minTrackSize.x, limits.maxTrackSize.x);
    const int height = Fit(limits.maxSize.y, limits.minTrackSize.y, limits.maxTrackSize.y);
    return MakeRect(limits.maxPosition.x, limits.maxPosition.y, width, height);
}

Rect MoveDraggedEdges(const Rect& rect, intptr_t edge, int dx, int dy) {
    Rect moved = rect;
    moved.left += MovesLeftEdge(edge) ? dx : 0;
    moved.right += MovesRightEdge(edge) ? dx : 0;
    moved.top += MovesTopEdge(edge) ? dy : 0;
    moved.bottom += MovesBottomEdge(edge) ? dy : 0;
    return moved;
}

Rect ClientWithin(const Rect& window, const Rect& answer) {
    const int left = std::clamp(answer.left, window.left, window.right);
    const int top = std::clamp(answer.top, window.top, window.bottom);
    const int right = std::clamp(answer.right, left, window.right);
    const int bottom = std::clamp(answer.bottom, top, window.bottom);
    return Rect{left - window.left, top - window.top, right - window.left, bottom - window.top};
}

}  // namespace platform::core
