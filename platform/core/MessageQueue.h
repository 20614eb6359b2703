#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/WindowPost.h"

namespace platform::core {

struct QueuedMessage {
    WindowId window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// Posted messages on their way to the UI thread. Pushing may happen on any thread and calls
// the wake function so that a loop waiting for native events looks at the queue again.
class MessageQueue {
  public:
    void SetWake(std::function<void()> wake);
    void Push(const QueuedMessage& message);
    bool TryPop(QueuedMessage& message);

  private:
    std::mutex lock_;
    std::deque<QueuedMessage> queue_;
    std::function<void()> wake_;
};

}  // namespace platform::core
