#pragma once

#include <cstdint>

#include "uikit/draw/Geometry.h"

namespace uikit {

class CControlUI;

// Input event numbers. The values are fixed: program code and item controls compare them.
enum EventTypeUI : int {
    UIEVENT_KEYDOWN = 3,
    UIEVENT_KEYUP = 4,
    UIEVENT_CHAR = 5,
    UIEVENT_MOUSEMOVE = 9,
    UIEVENT_MOUSELEAVE = 10,
    UIEVENT_MOUSEENTER = 11,
    UIEVENT_MOUSEHOVER = 12,
    UIEVENT_BUTTONDOWN = 13,
    UIEVENT_BUTTONUP = 14,
    UIEVENT_RBUTTONDOWN = 15,
    UIEVENT_DBLCLICK = 16,
    UIEVENT_CONTEXTMENU = 17,
    UIEVENT_SCROLLWHEEL = 18,
    UIEVENT_KILLFOCUS = 20,
    UIEVENT_SETFOCUS = 21,
    UIEVENT_WINDOWSIZE = 22,
    UIEVENT_SETCURSOR = 23,
    UIEVENT_TIMER = 24,
};

// Key-state bits of an event.
inline constexpr uint32_t kKeyStateControl = 0x0008;
inline constexpr uint32_t kKeyStateShift = 0x0004;

// Keys the controls react to, by their virtual-key numbers.
inline constexpr int kKeyBack = 0x08;
inline constexpr int kKeyReturn = 0x0D;
inline constexpr int kKeySpace = 0x20;
inline constexpr int kKeyPageUp = 0x21;
inline constexpr int kKeyPageDown = 0x22;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyDown = 0x28;

struct EventRecordUI {
    int type = 0;
    CControlUI* sender = nullptr;
    uint64_t timestamp = 0;  // milliseconds of the monotonic clock
    Point ptMouse;           // window client coordinates
    char16_t chKey = 0;
    uint32_t keyState = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

}  // namespace uikit
