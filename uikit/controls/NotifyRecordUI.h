#pragma once

#include <cstdint>
#include <string>

#include "uikit/draw/Geometry.h"

namespace uikit {

class CControlUI;

// What a control reports to the window's sinks: a named user action and its sender.
struct NotifyRecordUI {
    std::u16string type;
    std::u16string virtualWnd;
    CControlUI* sender = nullptr;
    uint64_t timestamp = 0;
    Point ptMouse;  // the last pointer position the manager saw
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

}  // namespace uikit
