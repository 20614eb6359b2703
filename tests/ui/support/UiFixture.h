#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessInput.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/manager/WindowManagerUI.h"

// The program's windows on the in-memory window system with the skin the build packed.
inline void PrepareWindows() {
    static const bool ready = [] {
        uikit::InitTextEngine();
        uikit::InstallLinkedSkin();
        return platform::UseHeadless();
    }();
    ASSERT_TRUE(ready);
}

// Where a control of a window is on the screen.
inline platform::Point ControlCentre(platform::WindowId window, const uikit::CControlUI& control) {
    const platform::Rect rc = platform::GetWindowRect(window);
    const uikit::Rect& pos = control.GetPos();
    return platform::Point{rc.left + (pos.left + pos.right) / 2,
                           rc.top + (pos.top + pos.bottom) / 2};
}

inline void ClickControl(platform::WindowId window, const uikit::CControlUI* control) {
    ASSERT_NE(control, nullptr);
    const platform::Point at = ControlCentre(window, *control);
    platform::headless::MouseMove(at.x, at.y);
    platform::headless::Click(at.x, at.y);
}

// A dialog that has just opened lays itself out and paints first, as it has by the time a
// person sees it.
inline void ClickInDialog(platform::WindowId window, const uikit::CControlUI* control) {
    platform::ProcessPendingMessages();
    ClickControl(window, control);
}

// Runs an action from inside whatever loop is running when its turn in the queue comes, as a
// person acts on a modal dialog while the program waits for it.
class QueuedAction {
  public:
    QueuedAction() {
        platform::WindowParams params;
        params.className = "TestDriver";
        params.rect = platform::Rect{0, 0, 1, 1};
        params.proc = [this](platform::WindowId window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) -> intptr_t {
            if (message == kRun && !actions_.empty()) {
                auto action = std::move(actions_.front());
                actions_.erase(actions_.begin());
                action();
                return 0;
            }
            return platform::DefaultWindowProc(window, message, wParam, lParam);
        };
        window_ = platform::CreateNativeWindow(params);
    }
    ~QueuedAction() { platform::DestroyNativeWindow(window_); }

    void Post(std::function<void()> action) {
        actions_.push_back(std::move(action));
        platform::PostWindowMessage(window_, kRun, 0, 0);
    }

  private:
    static constexpr uint32_t kRun = 0x8000 + 77;
    platform::WindowId window_ = 0;
    std::vector<std::function<void()>> actions_;
};
