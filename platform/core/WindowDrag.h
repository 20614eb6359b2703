#pragma once

#include <cstdint>

#include "platform/Geometry.h"
#include "platform/WindowPost.h"

namespace platform::core {

// A caption or sizing drag that the core carries out itself, where the window system does not
// drag windows: the window, the edge it sizes (0 moves it), and where the pointer and the
// window were when the drag began.
class WindowDrag {
  public:
    void Begin(WindowId window, intptr_t edge, Point start, const Rect& rect);
    void End();
    // 0 when no drag is going on.
    WindowId Window() const { return window_; }
    bool Sizing() const { return edge_ != 0; }
    intptr_t Edge() const { return edge_; }
    // Where the window goes for the pointer at `screen`: moved along with it, or with the
    // sized edges moved by as much as the pointer travelled.
    Rect RectAt(Point screen) const;

  private:
    WindowId window_ = 0;
    intptr_t edge_ = 0;
    Point start_;
    Rect rect_;
};

}  // namespace platform::core
