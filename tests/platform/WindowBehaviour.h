#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"

// A window system under test, with the way its test program moves the pointer on its screen.
struct WindowSystemUnderTest {
    const char* name;
    platform::WindowSystemKind kind;
    std::function<void(int, int)> mouseMove;
    std::function<void(int, int)> mouseDown;
    std::function<void(int, int)> mouseUp;
    // Presses and releases a key: Escape, Return or a lower-case letter.
    std::function<void(char16_t)> typeKey;
};

inline void PrintTo(const WindowSystemUnderTest& system, std::ostream* out) {
    *out << system.name;
}

struct LoggedMessage {
    platform::WindowId window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

// The shared fixture: the same cases run against every window system. Windows made here record
// every message; a handler may answer a message itself.
class WindowBehaviour : public ::testing::TestWithParam<WindowSystemUnderTest> {
  protected:
    using Handler =
        std::function<std::optional<intptr_t>(platform::WindowId, uint32_t, uintptr_t, intptr_t)>;

    void SetUp() override;
    void TearDown() override;

    platform::WindowId Open(const platform::Rect& rect, uint32_t style = platform::kStylePopup,
                            platform::WindowId owner = 0, Handler handler = nullptr);
    // Shows the window and waits until it painted once (it is on screen then).
    void ShowAndWait(platform::WindowId window);
    // Runs the loop until the condition holds or the time is up.
    bool RunUntil(const std::function<bool()>& condition, int timeoutMs = 3000);

    std::vector<LoggedMessage> Messages(platform::WindowId window, uint32_t message) const;
    size_t Count(platform::WindowId window, uint32_t message) const {
        return Messages(window, message).size();
    }
    bool Headless() const { return GetParam().kind == platform::WindowSystemKind::Headless; }

    std::vector<LoggedMessage> log_;

  private:
    struct Owned {
        Handler handler;
    };
    std::vector<std::unique_ptr<Owned>> handlers_;
    std::vector<platform::WindowId> windows_;
};
