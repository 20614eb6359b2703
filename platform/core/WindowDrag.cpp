#include "platform/core/WindowDrag.h"

#include "platform/core/FrameGeometry.h"

namespace platform::core {

void WindowDrag::Begin(WindowId window, intptr_t edge, Point start, const Rect& rect) {
    window_ = window;
    edge_ = edge;
    start_ = start;
    rect_ = rect;
}

void WindowDrag::End() {
    window_ = 0;
    edge_ = 0;
}

Rect WindowDrag::RectAt(Point screen) const {
    const int dx = screen.x - start_.x;
    const int dy = screen.y - start_.y;
    if (!Sizing()) {
        return rect_.MovedTo(rect_.left + dx, rect_.top + dy);
    }
    return MoveDraggedEdges(rect_, edge_, dx, dy);
}

}  // namespace platform::core
