#include <chrono>

#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Timer.h"
#include "platform/core/WindowCore.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

core::WindowCore& Core() {
    return core::WindowCore::Instance();
}

}  // namespace

intptr_t SendWindowMessage(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return Core().Send(window, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    Core().Post(core::QueuedMessage{0, WM_QUIT, static_cast<uintptr_t>(exitCode), 0});
}

int RunMessageLoop() {
    int exitCode = 0;
    while (Core().PumpOne(-1, exitCode) != core::WindowCore::Pump::Quit) {
    }
    return exitCode;
}

bool RunModalLoop(WindowId window) {
    int exitCode = 0;
    while (IsWindow(window)) {
        if (Core().PumpOne(-1, exitCode) == core::WindowCore::Pump::Quit) {
            PostQuitMessage(exitCode);
            return false;
        }
    }
    return true;
}

bool ProcessPendingMessages() {
    int exitCode = 0;
    for (;;) {
        switch (Core().PumpOne(0, exitCode)) {
            case core::WindowCore::Pump::Quit:
                PostQuitMessage(exitCode);
                return false;
            case core::WindowCore::Pump::Idle:
                return true;
            case core::WindowCore::Pump::Delivered:
                break;
        }
    }
}

bool RunMessageLoopFor(uint32_t milliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    int exitCode = 0;
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
        if (Core().PumpOne(static_cast<int>(left.count()) + 1, exitCode) ==
            core::WindowCore::Pump::Quit) {
            PostQuitMessage(exitCode);
            return false;
        }
    }
    return true;
}

bool SetTimer(WindowId window, uintptr_t id, uint32_t periodMs) {
    return Core().OnUiThread() && Core().SetTimer(window, id, periodMs);
}

bool KillTimer(WindowId window, uintptr_t id) {
    return Core().OnUiThread() && Core().KillTimer(window, id);
}

}  // namespace platform
