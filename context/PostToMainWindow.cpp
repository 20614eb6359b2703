#include "context/PostToMainWindow.h"

#include "platform/Clock.h"

namespace {
constexpr uint32_t kMainWindowPollMs = 500;
}

void PostToMainWindow(uint32_t message, uintptr_t wParam, intptr_t lParam,
                      const AppContext& context) {
    platform::WindowId window = context.mainWindow.load();
    while (window == 0) {
        platform::SleepMs(kMainWindowPollMs);
        window = context.mainWindow.load();
    }
    platform::PostWindowMessage(window, message, wParam, lParam);
}
