#include <algorithm>

#include "platform/Messages.h"
#include "platform/core/WindowCore.h"

namespace platform::core {

void WindowCore::Post(const QueuedMessage& message) {
    queue_.Push(message);
}

WindowCore::Pump WindowCore::PumpOne(int waitMs, int& quitCode) {
    if (Native() == nullptr) {
        return Pump::Idle;
    }
    QueuedMessage message;
    if (queue_.TryPop(message)) {
        if (message.message == WM_QUIT) {
            quitCode = static_cast<int>(message.wParam);
            return Pump::Quit;
        }
        if (message.window != 0 && Find(message.window)) {
            Send(message.window, message.message, message.wParam, message.lParam);
        }
        return Pump::Delivered;
    }
    std::pair<WindowId, uintptr_t> timer;
    if (PopDueTimer(timer)) {
        if (!HoverTimerTick(timer.first, timer.second)) {
            Send(timer.first, WM_TIMER, timer.second, 0);
        }
        return Pump::Delivered;
    }
    return native_->WaitForEvents(waitMs) ? Pump::Delivered : Pump::Idle;
}

bool WindowCore::SetTimer(WindowId window, uintptr_t id, uint32_t periodMs) {
    if (periodMs == 0 || !Find(window)) {
        return false;
    }
    const auto key = std::make_pair(window, id);
    if (std::find(timers_.begin(), timers_.end(), key) == timers_.end()) {
        timers_.push_back(key);
    }
    native_->StartTimer(window, id, periodMs);
    return true;
}

bool WindowCore::KillTimer(WindowId window, uintptr_t id) {
    const auto key = std::make_pair(window, id);
    const auto it = std::find(timers_.begin(), timers_.end(), key);
    if (it == timers_.end()) {
        return false;
    }
    timers_.erase(it);
    std::erase(dueTimers_, key);
    native_->StopTimer(window, id);
    return true;
}

// A tick that comes while the last one still waits is dropped: one pending tick per timer.
void WindowCore::TimerDue(WindowId window, uintptr_t id) {
    const auto key = std::make_pair(window, id);
    if (std::find(timers_.begin(), timers_.end(), key) == timers_.end() ||
        std::find(dueTimers_.begin(), dueTimers_.end(), key) != dueTimers_.end()) {
        return;
    }
    dueTimers_.push_back(key);
}

bool WindowCore::PopDueTimer(std::pair<WindowId, uintptr_t>& timer) {
    if (dueTimers_.empty()) {
        return false;
    }
    timer = dueTimers_.front();
    dueTimers_.erase(dueTimers_.begin());
    return true;
}

bool WindowCore::FireTimer(WindowId window, uintptr_t id) {
    const auto key = std::make_pair(window, id);
    if (std::find(timers_.begin(), timers_.end(), key) == timers_.end()) {
        return false;
    }
    std::erase(dueTimers_, key);
    if (!HoverTimerTick(window, id)) {
        Send(window, WM_TIMER, id, 0);
    }
    return true;
}

}  // namespace platform::core
