#include "platform/WindowPost.h"

#include <map>
#include <mutex>

namespace platform {
namespace {

// Posts arrive from worker threads; the table is the one place they meet the UI thread.
std::mutex& SinkLock() {
    static std::mutex lock;
    return lock;
}

std::map<WindowId, MessageSink>& Sinks() {
    static std::map<WindowId, MessageSink> sinks;
    return sinks;
}

}  // namespace

void RegisterMessageSink(WindowId window, MessageSink sink) {
    std::lock_guard guard(SinkLock());
    Sinks()[window] = std::move(sink);
}

void UnregisterMessageSink(WindowId window) {
    std::lock_guard guard(SinkLock());
    Sinks().erase(window);
}

bool PostWindowMessage(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    MessageSink sink;
    {
        std::lock_guard guard(SinkLock());
        const auto it = Sinks().find(window);
        if (it == Sinks().end()) {
            return false;
        }
        sink = it->second;
    }
    sink(PostedMessage{message, wParam, lParam});
    return true;
}

}  // namespace platform
