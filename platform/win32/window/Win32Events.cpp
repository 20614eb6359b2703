#include "platform/win32/window/Win32Windows.h"

#include <windowsx.h>

#include "platform/win32/window/Win32Private.h"

// The window procedure: native messages become the core's reports, in screen coordinates.
// Every hit test, caption drag and sizing drag is the core's: the native window answers
// HTCLIENT, so the window's own WM_NCHITTEST (asked by the core on each press) decides.
namespace platform::win32 {
namespace {

uintptr_t KeysFrom(WPARAM wParam) {
    return wParam & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN;
}

bool Held(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

LRESULT Win32Windows::Handle(Native& native, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowId id = native.id;
    const HWND hwnd = native.hwnd;
    if (message != 0 && message == native.foreignMessage) {
        // Only the hand-over's number, and never its parameters, reach the program.
        core_.Post(core::QueuedMessage{id, message, 0, 0});
        return 0;
    }
    switch (message) {
        case WM_NCHITTEST:
            return native.clickThrough ? HTTRANSPARENT : HTCLIENT;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
            return MouseMessage(native, message, wParam, lParam);
        case WM_MOUSELEAVE:
            native.tracking = false;
            core_.PointerLeft(id);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                CaptureLost(native);
            }
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(
                    LoadCursorW(nullptr, native.cursor == Cursor::Hand ? IDC_HAND : IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_MOUSEACTIVATE:
            if (native.noActivate) {
                return MA_NOACTIVATE;
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_CHAR:
            if (KeyMessage(native, message, wParam)) {
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (!mirroring_) {
                core_.NativeFocus(id, message == WM_SETFOCUS);
            }
            return 0;
        case WM_SIZE:
            SizeMessage(native, wParam);
            return 0;
        case WM_WINDOWPOSCHANGED: {
            RECT r;
            if (!mirroring_ && !IsIconic(hwnd) && GetWindowRect(hwnd, &r)) {
                core_.NativeBounds(id, Rect{r.left, r.top, r.right, r.bottom});
            }
            break;  // the default sends WM_SIZE, which tells minimised from restored
        }
        case WM_GETMINMAXINFO:
            if (const auto record = core_.Find(id)) {
                // The core has fitted every rectangle it gives to the window's own limits.
                auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
                info->ptMinTrackSize = POINT{1, 1};
                info->ptMaxTrackSize = POINT{kMaxTrackSide, kMaxTrackSide};
                return 0;
            }
            break;
        case WM_TIMER:
            core_.TimerDue(id, wParam);
            if (systemModal_.load() > 0) {
                PostMessageW(helper_, kDrainMessage, 0, 0);
            }
            return 0;
        case WM_PAINT:
            Paint(native);
            return 0;
        case kPaintLayered:
            PaintLayered(native);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            // Alt+F4 and the taskbar's close go through the window's own close handling.
            core_.Send(id, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A press holds the pointer until every button is up, as the core's own drags expect moves
// outside the window.
LRESULT Win32Windows::MouseMessage(Native& native, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message != WM_MOUSEWHEEL) {
        ClientToScreen(native.hwnd, &point);
    }
    const Point screen{point.x, point.y};
    WindowId under = native.id;
    if (dragCapture_ && core_.Capture() == 0) {
        const HWND below = WindowFromPoint(point);
        const auto found = static_cast<WindowId>(GetWindowLongPtrW(below, GWLP_USERDATA));
        under =
            below != nullptr && Find(found) != nullptr && Find(found)->hwnd == below ? found : 0;
    }
    if (IsButtonDown(message) && ::GetCapture() == nullptr) {
        ::SetCapture(native.hwnd);
        dragCapture_ = true;
        captured_ = native.id;
    }
    const uintptr_t keys = KeysFrom(message == WM_MOUSEWHEEL ? LOWORD(wParam) : wParam);
    switch (message) {
        case WM_MOUSEMOVE:
            if (!native.tracking) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, native.hwnd, 0};
                native.tracking = TrackMouseEvent(&track) != FALSE;
            }
            core_.MouseMove(under, screen, keys);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            core_.MouseButtonDown(under, screen, core::MouseButton::Left,
                                  message == WM_LBUTTONDBLCLK, keys);
            break;
        case WM_RBUTTONDOWN:
            core_.MouseButtonDown(under, screen, core::MouseButton::Right, false, keys);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            core_.MouseButtonUp(
                under, screen,
                message == WM_LBUTTONUP ? core::MouseButton::Left : core::MouseButton::Right, keys);
            if (dragCapture_ && (keys & (MK_LBUTTON | MK_RBUTTON)) == 0) {
                dragCapture_ = false;
                if (core_.Capture() == 0 && captured_ != 0) {
                    captured_ = 0;
                    ::ReleaseCapture();
                }
            }
            break;
        case WM_MOUSEWHEEL:
            core_.MouseWheel(under, screen, GET_WHEEL_DELTA_WPARAM(wParam), keys);
            break;
        default:
            break;
    }
    return 0;
}

// Another window or the system took the pointer: nothing may stay pressed or captured.
void Win32Windows::CaptureLost(Native& native) {
    if (captured_ != native.id) {
        return;
    }
    captured_ = 0;
    dragCapture_ = false;
    core_.PointerGrabBroken();
}

// Key codes are the system's own; characters typed with Ctrl or Alt are shortcuts, not text.
bool Win32Windows::KeyMessage(Native& native, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            core_.Key(native.id, static_cast<uint32_t>(wParam), true);
            return message == WM_KEYDOWN;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            core_.Key(native.id, static_cast<uint32_t>(wParam), false);
            return message == WM_KEYUP;
        case WM_CHAR:
            if (!Held(VK_CONTROL) && !Held(VK_MENU)) {
                core_.Character(native.id, static_cast<char16_t>(wParam));
            }
            return true;
        default:
            return false;
    }
}

// Minimised or restored from the taskbar: the record follows.
void Win32Windows::SizeMessage(Native& native, WPARAM wParam) {
    if (wParam == SIZE_MINIMIZED) {
        core_.NativeMinimized(native.id, true);
    } else if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
        core_.NativeMinimized(native.id, false);
    }
}

}  // namespace platform::win32
