#include "tests/platform/WindowBehaviour.h"

#include <chrono>

#include "platform/MessageLoop.h"
#include "platform/Messages.h"

using namespace platform;

void WindowBehaviour::SetUp() {
    ASSERT_TRUE(SelectWindowSystem(GetParam().kind));
}

void WindowBehaviour::TearDown() {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        DestroyNativeWindow(*it);
    }
    ProcessPendingMessages();
}

WindowId WindowBehaviour::Open(const Rect& rect, uint32_t style, WindowId owner, Handler handler) {
    handlers_.push_back(std::make_unique<Owned>(Owned{std::move(handler)}));
    Owned* owned = handlers_.back().get();
    WindowParams params;
    params.owner = owner;
    params.className = "TestWindow";
    params.title = "test";
    params.style = style;
    params.rect = rect;
    params.proc = [this, owned](WindowId window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) -> intptr_t {
        log_.push_back({window, message, wParam, lParam});
        if (owned->handler) {
            if (const auto answer = owned->handler(window, message, wParam, lParam)) {
                return *answer;
            }
        }
        return DefaultWindowProc(window, message, wParam, lParam);
    };
    const WindowId window = CreateNativeWindow(params);
    if (window != 0) {
        windows_.push_back(window);
    }
    return window;
}

void WindowBehaviour::ShowAndWait(WindowId window) {
    const size_t paints = Count(window, WM_PAINT);
    ShowNativeWindow(window, ShowCommand::Show);
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_PAINT) > paints; }));
}

bool WindowBehaviour::RunUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        RunMessageLoopFor(5);
    }
    return true;
}

std::vector<LoggedMessage> WindowBehaviour::Messages(WindowId window, uint32_t message) const {
    std::vector<LoggedMessage> found;
    for (const LoggedMessage& logged : log_) {
        if (logged.window == window && logged.message == message) {
            found.push_back(logged);
        }
    }
    return found;
}
