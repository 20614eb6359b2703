// The manager's side of a native window: the window's messages in the order they are handled,
// painting into an off-screen bitmap and presenting it, and the platform's timers, capture and
// pointer tracking behind the control events.

#include <algorithm>

#include "platform/Messages.h"
#include "platform/Mouse.h"
#include "platform/Present.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/manager/IMessageFilterUI.h"
#include "uikit/manager/PresentCanvasUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

namespace {

// How long the pointer rests on a control before its tooltip is offered.
constexpr uint32_t kToolTipInitialDelayMs = 400;

bool IsMouseMessage(uint32_t message) {
    return message >= platform::WM_MOUSEMOVE && message <= platform::WM_MOUSEWHEEL;
}

Point ClientPoint(intptr_t lParam) {
    return Point{platform::PointX(lParam), platform::PointY(lParam)};
}

}  // namespace

void CWindowManagerUI::Init(NativeWindowId window) {
    tips_.Bind(window);
    window_ = window;
    tracking_ = false;
    if (window_ == 0) {
        notify_.SetPoster(nullptr);
        return;
    }
    notify_.SetPoster([window] { platform::PostWindowMessage(window, kMsgAsyncNotify, 0, 0); });
    const platform::Rect client = platform::GetClientRect(window_);
    if (client.right > client.left && client.bottom > client.top) {
        OnSize(Size{client.right - client.left, client.bottom - client.top});
    }
}

void CWindowManagerUI::RequestPaint() {
    if (window_ != 0) {
        platform::InvalidateWindow(window_);
    }
}

bool CWindowManagerUI::RunFilters(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                  intptr_t& result) {
    return filters_.VisitUntil([&](IMessageFilterUI& filter) {
        bool handled = false;
        const intptr_t answer = filter.MessageHandler(message, wParam, lParam, handled);
        if (handled) {
            result = answer;
        }
        return handled;
    });
}

bool CWindowManagerUI::MessageHandler(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                      intptr_t& result) {
    result = 0;
    if (window_ == 0) {
        return false;
    }
    if (RunFilters(message, wParam, lParam, result)) {
        // A filtered pointer still moved: later hit tests must use where it is now.
        if (IsMouseMessage(message) && message != platform::WM_MOUSEWHEEL) {
            input_.SetMousePos(ClientPoint(lParam));
        }
        return true;
    }
    if (HandleLayeredFrame(message, result)) {
        return true;
    }
    if (IsMouseMessage(message) || message == platform::WM_MOUSEHOVER ||
        message == platform::WM_MOUSELEAVE) {
        return HandleMouse(message, wParam, lParam);
    }
    if (message == platform::WM_KEYDOWN || message == platform::WM_KEYUP ||
        message == platform::WM_CHAR) {
        HandleKey(message, wParam);
        return false;
    }
    return HandleWindowMessage(message, wParam, lParam, result);
}

// A layered window draws its whole rectangle itself and looks the same active or not.
bool CWindowManagerUI::HandleLayeredFrame(uint32_t message, intptr_t& result) {
    if (!attributes_.layered) {
        return false;
    }
    if (message == platform::WM_NCCALCSIZE || message == platform::WM_NCPAINT) {
        return true;
    }
    if (message == platform::WM_NCACTIVATE && !platform::IsMinimized(window_)) {
        result = 1;
        return true;
    }
    return false;
}

bool CWindowManagerUI::HandleWindowMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                           intptr_t& result) {
    switch (message) {
        case platform::WM_PAINT:
            PaintWindow();
            return true;
        case platform::WM_SIZE:
            OnSizeMessage(wParam, lParam);
            return false;
        case platform::WM_TIMER:
            return FireTimer(static_cast<int>(wParam));
        case platform::WM_SETCURSOR:
            return OnSetCursorMessage(result);
        case platform::WM_ERASEBKGND:
            result = 1;
            return true;
        case platform::WM_GETMINMAXINFO:
            ApplyTrackingLimits(attributes_, *reinterpret_cast<platform::MinMaxInfo*>(lParam));
            return false;
        case platform::WM_SHOWWINDOW:
            // The tip is a window of its own and would stay on the screen.
            if (wParam == 0) {
                tips_.Cancel();
            }
            return false;
        case platform::WM_ENABLE:
            // Disabled: a modal window has opened over this one, and the tip would stand on it.
            if (wParam == 0) {
                tips_.Cancel();
            }
            return false;
        case platform::WM_KILLFOCUS:
            tips_.Cancel();
            return false;
        case platform::WM_ACTIVATE:
            if (wParam == platform::WA_INACTIVE) {
                tips_.Cancel();
            }
            return false;
        case platform::WM_CLOSE:
            OnClose();
            ReturnFocusToOwner();
            return false;
        case kMsgAsyncNotify:
            DeliverAsyncNotifications();
            return true;
        default:
            return false;
    }
}

void CWindowManagerUI::OnSizeMessage(uintptr_t wParam, intptr_t lParam) {
    if (wParam == platform::SIZE_MINIMIZED) {
        tips_.Cancel();
        return;
    }
    OnSize(Size{static_cast<int>(platform::LowWord(static_cast<uintptr_t>(lParam))),
                platform::HighWordSigned(static_cast<uintptr_t>(lParam))});
    RequestPaint();
}

bool CWindowManagerUI::OnSetCursorMessage(intptr_t& result) {
    if (!OnSetCursor(GetMousePos())) {
        return false;
    }
    platform::SetCursor(platform::Cursor::Hand);
    result = 1;
    return true;
}

void CWindowManagerUI::HandleKey(uint32_t message, uintptr_t wParam) {
    if (message == platform::WM_KEYDOWN) {
        OnKeyDown(static_cast<int>(wParam));
    } else if (message == platform::WM_KEYUP) {
        OnKeyUp(static_cast<int>(wParam));
    } else {
        OnChar(static_cast<char16_t>(wParam));
    }
}

bool CWindowManagerUI::HandleMouse(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const Point pt = ClientPoint(lParam);
    switch (message) {
        case platform::WM_MOUSEMOVE:
            TrackPointer();
            OnMouseMove(pt);
            break;
        case platform::WM_MOUSELEAVE:
            tracking_ = false;
            OnMouseLeaveWindow();
            break;
        case platform::WM_MOUSEHOVER:
            tracking_ = false;
            OnMouseHover(pt);
            break;
        case platform::WM_LBUTTONDOWN:
            if (!attributes_.noActivate) {
                platform::SetFocus(window_);
            }
            OnLButtonDown(pt);
            CaptureWhilePressed();
            break;
        case platform::WM_LBUTTONUP:
            if (platform::GetCapture() == window_) {
                platform::ReleaseCapture();
            }
            OnLButtonUp(pt);
            break;
        case platform::WM_LBUTTONDBLCLK:
            OnLButtonDblClk(pt);
            CaptureWhilePressed();
            break;
        case platform::WM_RBUTTONDOWN:
            OnRButtonDown(pt);
            break;
        case platform::WM_MOUSEWHEEL:
            // The wheel's point is on the screen; the pointer's last client point is where it is.
            OnMouseWheel(GetMousePos(), platform::HighWordSigned(wParam));
            break;
        default:
            break;
    }
    return false;
}

// The pressed control keeps getting the pointer when it leaves the window while held.
void CWindowManagerUI::CaptureWhilePressed() {
    if (GetCapture() != nullptr) {
        platform::SetCapture(window_);
    }
}

void CWindowManagerUI::TrackPointer() {
    if (tracking_) {
        return;
    }
    tracking_ = true;
    platform::TrackMouse(window_, platform::kTrackLeave | platform::kTrackHover,
                         kToolTipInitialDelayMs);
}

void CWindowManagerUI::ReturnFocusToOwner() {
    // A closing dialog gives the keyboard back to the window it was opened over.
    if (platform::GetFocus() != window_) {
        return;
    }
    const platform::WindowId owner = platform::GetOwner(window_);
    if (owner != 0) {
        platform::SetFocus(owner);
    }
}

void CWindowManagerUI::PaintWindow() {
    LayoutIfNeeded();
    const int width = clientSize_.cx;
    const int height = clientSize_.cy;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (frame_ == nullptr || frame_->Width() != width || frame_->Height() != height) {
        frame_ = std::make_unique<Canvas>(width, height);
    }
    if (!frame_->IsValid()) {
        return;
    }
    frame_->Clear(0);
    if (root_ != nullptr) {
        root_->Paint(frame_->Context(), frame_->Bounds());
    }
    dirty_ = Rect{};
    PresentCanvas(window_, *frame_);
}

}  // namespace uikit
