#include "platform/core/MessageQueue.h"

namespace platform::core {

void MessageQueue::SetWake(std::function<void()> wake) {
    std::lock_guard guard(lock_);
    wake_ = std::move(wake);
}

void MessageQueue::Push(const QueuedMessage& message) {
    std::function<void()> wake;
    {
        std::lock_guard guard(lock_);
        queue_.push_back(message);
        wake = wake_;
    }
    if (wake) {
        wake();
    }
}

bool MessageQueue::TryPop(QueuedMessage& message) {
    std::lock_guard guard(lock_);
    if (queue_.empty()) {
        return false;
    }
    message = queue_.front();
    queue_.pop_front();
    return true;
}

}  // namespace platform::core
