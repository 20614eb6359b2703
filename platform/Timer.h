#pragma once

#include <cstdint>

#include "platform/WindowPost.h"

// Per-window timers. A tick becomes WM_TIMER (wParam = id) when the loop has nothing posted to
// deliver; a timer never has more than one tick waiting, however long the loop was busy.
namespace platform {

// Starts or restarts the timer. False when the window does not exist or the period is 0.
bool SetTimer(WindowId window, uintptr_t id, uint32_t periodMs);
bool KillTimer(WindowId window, uintptr_t id);

}  // namespace platform
