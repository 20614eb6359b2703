#pragma once

#include <cstdint>
#include <string>

#include "platform/Window.h"

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
    bool visible = false;
    bool minimized = false;
    bool enabled = true;
    bool destroying = false;
    // Set while the system drags the window: its own reports of the position count then.
    bool nativeDrag = false;
    // Hidden only because its owner was minimised; shown again when the owner is restored.
    bool hiddenWithOwner = false;
    uint32_t trackFlags = 0;
    uint32_t hoverMs = 0;
};

}  // namespace platform::core
