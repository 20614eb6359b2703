#pragma once

#include <cstdint>
#include <functional>

// Posting messages to windows from any thread. A window of the platform registers a sink under
// its id; a post hands the message to that sink, which queues it for the window's own thread and
// returns at once, as PostMessage does.
namespace platform {

using WindowId = uintptr_t;  // 0 is "no window"

struct PostedMessage {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

using MessageSink = std::function<void(const PostedMessage&)>;

void RegisterMessageSink(WindowId window, MessageSink sink);
void UnregisterMessageSink(WindowId window);

// False when no window has that id.
bool PostWindowMessage(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam);

}  // namespace platform
