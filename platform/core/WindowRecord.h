#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Window.h"
#include "platform/WindowRegion.h"

namespace platform::core {

// The core's state of one window; the native side mirrors it.
struct WindowRecord {
    WindowId id = 0;
    WindowId owner = 0;
    uint32_t style = 0;
    std::string className;
    std::string title;
    MessageProc proc;
    Rect rect;
    // The client area within the window (window coordinates), as WM_NCCALCSIZE answered.
    Rect client;
    // Where a maximised window goes back to.
    Rect restoreRect;
    std::optional<WindowRegion> region;
    // The last WM_GETMINMAXINFO answer; `limited` when it bounds the size at all.
    MinMaxInfo limits;
    bool limited = false;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool enabled = true;
    bool destroying = false;
    // Set while the system drags the window: its own reports of the position count then.
    bool nativeDrag = false;
    // The edge the system drags when it sizes the window (a sizing hit-test code), else 0.
    intptr_t resizeEdge = 0;
    // Hidden only because its owner was minimised; shown again when the owner is restored.
    bool hiddenWithOwner = false;
    uint32_t trackFlags = 0;
    uint32_t hoverMs = 0;
};

}  // namespace platform::core
