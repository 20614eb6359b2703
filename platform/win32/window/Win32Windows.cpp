#include "platform/win32/window/Win32Windows.h"

#include <algorithm>

#include "common/TextConvert.h"
#include "platform/core/RoundRegion.h"
#include "platform/win32/window/Win32Private.h"

namespace platform::win32 {
namespace {

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Win32Windows* system = Win32Windows::Running();
    const auto id = static_cast<WindowId>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    Win32Windows::Native* native = system != nullptr ? system->Find(id) : nullptr;
    if (native == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (native->hwnd == nullptr) {
        native->hwnd = hwnd;  // messages of CreateWindowExW arrive before it returns
    }
    return system->Handle(*native, message, wParam, lParam);
}

DWORD ExtendedStyleFor(const core::WindowRecord& window) {
    DWORD style = 0;
    if ((window.style & (kStyleToolWindow | kStyleToolTip)) != 0) {
        style |= WS_EX_TOOLWINDOW;
    }
    if ((window.style & (kStyleTopMost | kStyleToolTip)) != 0) {
        style |= WS_EX_TOPMOST;
    }
    if ((window.style & (kStyleNoActivate | kStyleToolTip)) != 0) {
        style |= WS_EX_NOACTIVATE;
    }
    if ((window.style & kStyleLayered) != 0) {
        style |= WS_EX_LAYERED;
    }
    // Input passes through only a layered window that is also transparent to it.
    if ((window.style & kStyleClickThrough) != 0) {
        style |= WS_EX_LAYERED | WS_EX_TRANSPARENT;
    }
    return style;
}

// A borderless pop-up draws every pixel itself; an unowned one keeps its taskbar button's
// minimise and restore.
DWORD StyleFor(const core::WindowRecord& window) {
    DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    if (window.owner == 0 && (window.style & (kStyleToolWindow | kStyleToolTip)) == 0) {
        style |= WS_MINIMIZEBOX | WS_SYSMENU;
    }
    return style;
}

}  // namespace

Win32Windows::~Win32Windows() {
    for (auto& [id, native] : windows_) {
        FreeBitmap(native);
        if (native.hwnd != nullptr) {
            DestroyWindow(native.hwnd);
        }
    }
    windows_.clear();
    RemoveNotificationIcon(helper_, notifying_);
    if (helper_ != nullptr) {
        DestroyWindow(helper_);
    }
    if (wake_ != nullptr) {
        CloseHandle(wake_);
    }
    if (running_ == this) {
        running_ = nullptr;
    }
}

bool Win32Windows::Start() {
    wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (wake_ == nullptr || !RegisterClassFor(kHelperClass)) {
        return false;
    }
    helper_ = CreateWindowExW(0, Wide(kHelperClass).c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    running_ = this;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    underWine_ = ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    return helper_ != nullptr;
}

// Each class the core names becomes a window class of that name, so that another process's
// FindWindow finds the window by the class and title it was made with.
bool Win32Windows::RegisterClassFor(const std::string& className) {
    if (classes_.contains(className)) {
        return true;
    }
    const std::wstring name = Wide(className.empty() ? std::string(kDefaultClass) : className);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = className == kHelperClass ? HelperProcedure : WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    const ATOM atom = RegisterClassExW(&windowClass);
    if (atom == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    classes_[className] = atom;
    return true;
}

Win32Windows::Native* Win32Windows::Find(WindowId window) {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

HWND Win32Windows::HwndOf(WindowId window) {
    const Native* native = Find(window);
    return native != nullptr ? native->hwnd : nullptr;
}

void Win32Windows::Create(const core::WindowRecord& window) {
    if (!RegisterClassFor(window.className)) {
        return;
    }
    Native& native = windows_[window.id];
    native.id = window.id;
    native.layered = (window.style & kStyleLayered) != 0;
    native.clickThrough = (window.style & kStyleClickThrough) != 0;
    native.noActivate = (window.style & (kStyleNoActivate | kStyleToolTip)) != 0;
    const std::wstring className =
        Wide(window.className.empty() ? std::string(kDefaultClass) : window.className);
    const Rect& r = window.rect;
    mirroring_ = true;
    const HWND hwnd = CreateWindowExW(
        ExtendedStyleFor(window), className.c_str(), Wide(window.title).c_str(), StyleFor(window),
        r.left, r.top, std::max(1, r.Width()), std::max(1, r.Height()), HwndOf(window.owner),
        nullptr, GetModuleHandleW(nullptr), reinterpret_cast<void*>(window.id));
    mirroring_ = false;
    if (hwnd == nullptr) {
        windows_.erase(window.id);
        return;
    }
    Find(window.id)->hwnd = hwnd;
}

void Win32Windows::Destroy(WindowId window) {
    Native* native = Find(window);
    if (native == nullptr) {
        return;
    }
    const HWND hwnd = native->hwnd;
    if (captured_ == window) {
        captured_ = 0;
        dragCapture_ = false;
    }
    FreeBitmap(*native);
    windows_.erase(window);  // first, so the messages of its end are not reported
    if (hwnd != nullptr) {
        DestroyWindow(hwnd);  // its timers go with it
    }
}

void Win32Windows::Show(const core::WindowRecord& window) {
    Native* native = Find(window.id);
    if (native == nullptr) {
        return;
    }
    mirroring_ = true;
    if (!window.visible) {
        ShowWindow(native->hwnd, SW_HIDE);
    } else if (window.minimized) {
        ShowWindow(native->hwnd, SW_SHOWMINNOACTIVE);
    } else {
        ShowWindow(native->hwnd, SW_SHOWNOACTIVATE);
        mirroring_ = false;
        Place(window);
        Invalidate(window.id);
    }
    mirroring_ = false;
}

void Win32Windows::Place(const core::WindowRecord& window) {
    Native* native = Find(window.id);
    if (native == nullptr || IsIconic(native->hwnd)) {
        return;
    }
    const Rect& r = window.rect;
    mirroring_ = true;
    SetWindowPos(native->hwnd, nullptr, r.left, r.top, std::max(1, r.Width()),
                 std::max(1, r.Height()), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    mirroring_ = false;
    if (window.region) {
        SetRegion(window);
    }
}

void Win32Windows::SetRegion(const core::WindowRecord& window) {
    Native* native = Find(window.id);
    if (native == nullptr) {
        return;
    }
    HRGN region = nullptr;
    if (window.region) {
        region = CreateRectRgn(0, 0, 0, 0);
        for (const Rect& row :
             core::RegionRectangles(*window.region, window.rect.Width(), window.rect.Height())) {
            HRGN part = CreateRectRgn(row.left, row.top, row.right, row.bottom);
            CombineRgn(region, region, part, RGN_OR);
            DeleteObject(part);
        }
    }
    // The window owns the region from here on, also when it is replaced.
    if (SetWindowRgn(native->hwnd, region, TRUE) == 0 && region != nullptr) {
        DeleteObject(region);
    }
}

void Win32Windows::SetTopMost(const core::WindowRecord& window) {
    if (const HWND hwnd = HwndOf(window.id)) {
        const bool top = (window.style & kStyleTopMost) != 0;
        SetWindowPos(hwnd, top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Win32Windows::Enable(const core::WindowRecord& window) {
    if (const HWND hwnd = HwndOf(window.id)) {
        EnableWindow(hwnd, window.enabled ? TRUE : FALSE);
    }
}

void Win32Windows::Focus(WindowId window) {
    const Native* native = Find(window);
    if (native == nullptr || native->noActivate || !IsWindowVisible(native->hwnd)) {
        return;
    }
    mirroring_ = true;
    SetForegroundWindow(native->hwnd);
    ::SetFocus(native->hwnd);
    mirroring_ = false;
}

void Win32Windows::Raise(WindowId window) {
    if (const HWND hwnd = HwndOf(window)) {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

Rect Win32Windows::WorkArea(const core::WindowRecord* window) {
    const HWND hwnd = window != nullptr ? HwndOf(window->id) : nullptr;
    const HMONITOR monitor = hwnd != nullptr
                                 ? MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)
                                 : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
        return Rect{};
    }
    const RECT& w = info.rcWork;
    return Rect{w.left, w.top, w.right, w.bottom};
}

// The tick only marks the timer due (WM_TIMER below); the core delivers it when nothing is
// posted, so a handler that runs a modal loop does not stop its own timer.
void Win32Windows::StartTimer(WindowId window, uintptr_t id, uint32_t periodMs) {
    if (const HWND hwnd = HwndOf(window)) {
        ::SetTimer(hwnd, id, std::max<UINT>(USER_TIMER_MINIMUM, periodMs), nullptr);
    }
}

void Win32Windows::StopTimer(WindowId window, uintptr_t id) {
    if (const HWND hwnd = HwndOf(window)) {
        ::KillTimer(hwnd, id);
    }
}

void Win32Windows::AcceptForeign(WindowId window, uint32_t message) {
    if (Native* native = Find(window)) {
        native->foreignMessage = message;
    }
}

bool Win32Windows::Dispatch(MSG& message) {
    // Quit is the core's own message; a native one (from a system dialog) means nothing here.
    if (message.message == WM_QUIT) {
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return true;
}

bool Win32Windows::WaitForEvents(int timeoutMs) {
    // The helper drains only what the core holds; the system dialog's loop owns the native queue.
    if (draining_) {
        return false;
    }
    bool handled = false;
    MSG message;
    if (timeoutMs != 0 && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        const DWORD wait = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
        handled = MsgWaitForMultipleObjectsEx(1, &wake_, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
                  WAIT_OBJECT_0;
    }
    // A batch at most, so that posted messages and due ticks are not kept waiting by a flood.
    for (int i = 0; i < kDispatchBatch && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        handled = Dispatch(message) || handled;
    }
    return handled;
}

// Any thread. Inside a system dialog's own loop the event is never waited on, so the helper
// window is woken as well and drains the core's queue from there.
void Win32Windows::Wake() {
    SetEvent(wake_);
    if (systemModal_.load() > 0) {
        PostMessageW(helper_, kDrainMessage, 0, 0);
    }
}

}  // namespace platform::win32

namespace platform::core {

std::unique_ptr<NativeWindows> MakeDesktopWindows(WindowCore& core) {
    return std::make_unique<win32::Win32Windows>(core);
}

}  // namespace platform::core
