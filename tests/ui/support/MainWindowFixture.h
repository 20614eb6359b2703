#pragma once

#include <gtest/gtest.h>

#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "ui/main/MainWnd.h"

// The main window of a test on the headless system: created visible, centred and drawn once,
// as a person first sees it.
inline void ShowMainWindow(CMainWnd& window) {
    ASSERT_TRUE(window.CreateMain(platform::kStylePopup | platform::kStyleVisible));
    window.CenterWindow();
    ASSERT_TRUE(platform::ProcessPendingMessages());
}

// Ends a main window the test left open. Its end posts the quit message, which must not reach
// the next test, so the loop runs until it comes.
inline void EndMainWindow(platform::WindowId window) {
    if (window != 0 && platform::IsWindow(window)) {
        platform::DestroyNativeWindow(window);
        platform::RunMessageLoop();
    }
}
