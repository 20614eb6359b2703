#include "platform/Messages.h"
#include "platform/core/WindowCore.h"

// The loop: posted messages first, then due timer ticks, then the native events.
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
    TimerTable::Key timer;
    if (timers_.PopDue(timer)) {
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
    timers_.Add(window, id);
    native_->StartTimer(window, id, periodMs);
    return true;
}

bool WindowCore::KillTimer(WindowId window, uintptr_t id) {
    if (!timers_.Remove(window, id)) {
        return false;
    }
    native_->StopTimer(window, id);
    return true;
}

void WindowCore::TimerDue(WindowId window, uintptr_t id) {
    timers_.MarkDue(window, id);
}

bool WindowCore::FireTimer(WindowId window, uintptr_t id) {
    if (!timers_.Has(window, id)) {
        return false;
    }
    timers_.DropDue(window, id);
    if (!HoverTimerTick(window, id)) {
        Send(window, WM_TIMER, id, 0);
    }
    return true;
}

}  // namespace platform::core
