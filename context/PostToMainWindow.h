#pragma once

#include <cstdint>

#include "context/AppContext.h"

// The one way a worker thread reaches the UI: waits in 500 ms steps until the main window has
// published its handle, then posts the message to it and returns.
void PostToMainWindow(uint32_t message, uintptr_t wParam, intptr_t lParam,
                      const AppContext& context);
