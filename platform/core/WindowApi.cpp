#include "platform/Messages.h"
#include "platform/Window.h"
#include "platform/WindowRegion.h"
#include "platform/core/WindowCore.h"

namespace platform {
namespace {

core::WindowCore& Core() {
    return core::WindowCore::Instance();
}

intptr_t SystemCommand(WindowId window, uintptr_t command) {
    switch (command & 0xFFF0) {
        case SC_CLOSE:
            Core().Send(window, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            Core().Show(window, ShowCommand::Minimize);
            break;
        case SC_MAXIMIZE:
            Core().Show(window, ShowCommand::Maximize);
            break;
        case SC_RESTORE:
            Core().Show(window, ShowCommand::Restore);
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

WindowId CreateNativeWindow(const WindowParams& params) {
    return Core().Create(params);
}

bool DestroyNativeWindow(WindowId window) {
    return Core().Destroy(window);
}

bool IsWindow(WindowId window) {
    return Core().OnUiThread() && Core().Find(window) != nullptr;
}

intptr_t DefaultWindowProc(WindowId window, uint32_t message, uintptr_t wParam, intptr_t) {
    switch (message) {
        case WM_NCCREATE:
        case WM_ERASEBKGND:
        case WM_NCACTIVATE:
            return 1;
        case WM_CLOSE:
            DestroyNativeWindow(window);
            return 0;
        case WM_SYSCOMMAND:
            return SystemCommand(window, wParam);
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_SETCURSOR:
            Core().SetCursor(Cursor::Arrow);
            return 1;
        default:
            return 0;
    }
}

void ShowNativeWindow(WindowId window, ShowCommand command) {
    Core().Show(window, command);
}

bool IsWindowVisible(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr && record->visible;
}

bool IsMinimized(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr && record->minimized;
}

bool IsMaximized(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr && record->maximized;
}

void SetWindowRect(WindowId window, const Rect& rect) {
    Core().SetRect(window, rect);
}

void MoveWindowTo(WindowId window, int x, int y) {
    const Rect rect = GetWindowRect(window);
    SetWindowRect(window, rect.MovedTo(x, y));
}

void ResizeWindow(WindowId window, int width, int height) {
    const Rect rect = GetWindowRect(window);
    SetWindowRect(window, MakeRect(rect.left, rect.top, width, height));
}

void CenterWindow(WindowId window) {
    Core().Center(window);
}

Rect GetWindowRect(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr ? record->rect : Rect{};
}

Rect GetClientRect(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr ? Rect{0, 0, record->client.Width(), record->client.Height()} : Rect{};
}

Rect GetWorkArea(WindowId window) {
    core::NativeWindows* native = Core().Native();
    if (native == nullptr) {
        return Rect{};
    }
    const auto record = Core().Find(window);
    return native->WorkArea(record.get());
}

Point ScreenToClient(WindowId window, Point screen) {
    const auto record = Core().Find(window);
    if (record == nullptr) {
        return screen;
    }
    return Point{screen.x - record->rect.left - record->client.left,
                 screen.y - record->rect.top - record->client.top};
}

WindowId GetOwner(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr ? record->owner : 0;
}

uint32_t GetStyle(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr ? record->style : 0;
}

void SetTopMost(WindowId window, bool topMost) {
    if (const auto record = Core().Find(window)) {
        record->style =
            topMost ? (record->style | kStyleTopMost) : (record->style & ~kStyleTopMost);
        Core().Native()->SetTopMost(*record);
    }
}

void SetWindowRegion(WindowId window, const WindowRegion& region) {
    Core().SetRegion(window, region);
}

void ClearWindowRegion(WindowId window) {
    Core().SetRegion(window, std::nullopt);
}

bool GetWindowRegion(WindowId window, WindowRegion& region) {
    const auto record = Core().Find(window);
    if (record == nullptr || !record->region) {
        return false;
    }
    region = *record->region;
    return true;
}

void EnableWindow(WindowId window, bool enable) {
    Core().Enable(window, enable);
}

bool IsWindowEnabled(WindowId window) {
    const auto record = Core().Find(window);
    return record != nullptr && record->enabled;
}

void SetFocus(WindowId window) {
    Core().SetFocus(window);
}

WindowId GetFocus() {
    return Core().Focus();
}

void SetForegroundWindow(WindowId window) {
    Core().SetForeground(window);
}

WindowId GetForegroundWindow() {
    return Core().Foreground();
}

}  // namespace platform
