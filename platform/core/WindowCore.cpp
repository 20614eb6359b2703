#include "platform/core/WindowCore.h"

#include <algorithm>

#include "platform/Messages.h"

namespace platform::core {

namespace {

uintptr_t SizeState(const WindowRecord& window) {
    if (window.minimized) {
        return SIZE_MINIMIZED;
    }
    return window.maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

}  // namespace

WindowCore& WindowCore::Instance() {
    // Never destroyed: native windows and posting threads may outlive static destruction.
    static WindowCore* core = new WindowCore();
    return *core;
}

WindowCore::WindowCore() = default;

bool WindowCore::Select(WindowSystemKind kind) {
    if (!windows_.Empty()) {
        return kind == kind_;
    }
    if (kind != kind_) {
        queue_.SetWake(nullptr);
        started_ = false;
        native_.reset();
        startFailed_ = false;
        kind_ = kind;
    }
    return true;
}

NativeWindows* WindowCore::Native() {
    if (native_ == nullptr && !startFailed_) {
        auto native = kind_ == WindowSystemKind::Headless ? MakeHeadlessWindows(*this)
                                                          : MakeDesktopWindows(*this);
        if (!native->Start()) {
            startFailed_ = true;
            return nullptr;
        }
        native_ = std::move(native);
        uiThread_ = std::this_thread::get_id();
        started_ = true;
        queue_.SetWake([native = native_.get()] { native->Wake(); });
    }
    return native_.get();
}

bool WindowCore::OnUiThread() const {
    return started_ && std::this_thread::get_id() == uiThread_.load();
}

std::shared_ptr<WindowRecord> WindowCore::Find(WindowId window) const {
    return windows_.Find(window);
}

bool WindowCore::CallProc(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                          intptr_t& result) {
    // The record is held for the call: the procedure may destroy its own window.
    const auto record = Find(window);
    if (record == nullptr || !record->proc) {
        return false;
    }
    const MessageProc proc = record->proc;
    result = proc(window, message, wParam, lParam);
    return true;
}

intptr_t WindowCore::Send(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!OnUiThread()) {
        return 0;
    }
    intptr_t result = 0;
    if (!CallProc(window, message, wParam, lParam, result)) {
        return DefaultWindowProc(window, message, wParam, lParam);
    }
    return result;
}

WindowId WindowCore::Create(const WindowParams& params) {
    NativeWindows* native = Native();
    if (native == nullptr || !OnUiThread() || (params.owner != 0 && !Find(params.owner))) {
        return 0;
    }
    auto record = std::make_shared<WindowRecord>();
    record->owner = params.owner;
    record->style = params.style;
    record->className = params.className;
    record->title = params.title;
    record->proc = params.proc;
    record->rect = params.rect;
    record->client = Rect{0, 0, params.rect.Width(), params.rect.Height()};
    const WindowId id = windows_.Add(record);
    RegisterMessageSink(id, [this, id](const PostedMessage& m) {
        Post(QueuedMessage{id, m.message, m.wParam, m.lParam});
    });
    native->Create(*record);
    if (Send(id, WM_NCCREATE, 0, reinterpret_cast<intptr_t>(&params)) == 0) {
        Destroy(id);
        return 0;
    }
    UpdateClientArea(*record);
    if (Send(id, WM_CREATE, 0, reinterpret_cast<intptr_t>(&params)) == -1) {
        Destroy(id);
        return 0;
    }
    if (!Find(id)) {
        return 0;
    }
    // The window may have sized itself while it was created (a skin's own size): report the
    // rectangle it has now, not the one it was asked for.
    const Rect now = record->rect;
    const Rect client = record->client;
    Send(id, WM_SIZE, SIZE_RESTORED, PackPoint(client.Width(), client.Height()));
    Send(id, WM_MOVE, 0, PackPoint(now.left + client.left, now.top + client.top));
    if ((params.style & kStyleVisible) != 0 && Find(id)) {
        Show(id, ShowCommand::Show);
    }
    return Find(id) ? id : 0;
}

void WindowCore::DestroyOwned(WindowId owner) {
    for (const auto& owned : windows_.OwnedBy(owner)) {
        Destroy(owned->id);
    }
}

bool WindowCore::Destroy(WindowId window) {
    const auto record = Find(window);
    if (record == nullptr || record->destroying || !OnUiThread()) {
        return false;
    }
    record->destroying = true;
    DestroyOwned(window);
    if (record->visible) {
        Send(window, WM_SHOWWINDOW, 0, 0);
    }
    Send(window, WM_DESTROY, 0, 0);
    ForgetWindow(window);
    native_->Destroy(window);
    Send(window, WM_NCDESTROY, 0, 0);
    windows_.Remove(window);
    return true;
}

void WindowCore::ForgetWindow(WindowId window) {
    UnregisterMessageSink(window);
    for (const uintptr_t id : timers_.RemoveWindow(window)) {
        native_->StopTimer(window, id);
    }
    if (capture_ == window) {
        SetCapture(0);
    }
    if (focus_ == window) {
        focus_ = 0;
    }
    if (foreground_ == window) {
        foreground_ = 0;
    }
    if (hovered_ == window) {
        hovered_ = 0;
    }
    if (drag_.Window() == window) {
        drag_.End();
    }
}

void WindowCore::Show(WindowId window, ShowCommand command) {
    const auto record = Find(window);
    if (record == nullptr) {
        return;
    }
    const bool wasVisible = record->visible;
    const bool wasMinimized = record->minimized;
    bool maximize = record->maximized;
    switch (command) {
        case ShowCommand::Hide:
            record->visible = false;
            break;
        case ShowCommand::Show:
        case ShowCommand::ShowNoActivate:
            record->visible = true;
            break;
        case ShowCommand::Minimize:
            record->visible = true;
            record->minimized = true;
            break;
        case ShowCommand::Maximize:
            record->visible = true;
            record->minimized = false;
            maximize = true;
            break;
        case ShowCommand::Restore:
            record->visible = true;
            if (record->minimized) {
                record->minimized = false;  // back to what it was before, maximised or not
            } else {
                maximize = false;
            }
            break;
    }
    record->hiddenWithOwner = false;
    if (record->visible != wasVisible) {
        Send(window, WM_SHOWWINDOW, record->visible ? 1 : 0, 0);
    }
    const bool maximizedChanged = maximize != record->maximized;
    if (maximizedChanged) {
        ChangeMaximized(*record, maximize);
    }
    native_->Show(*record);
    if (record->minimized != wasMinimized) {
        MinimizedChanged(*record, !maximizedChanged);
    }
    if (!record->visible || record->minimized) {
        if (capture_ == window) {
            SetCapture(0);
        }
        return;
    }
    const bool activate = command == ShowCommand::Show || command == ShowCommand::Restore ||
                          command == ShowCommand::Maximize;
    if (activate && (record->style & kStyleNoActivate) == 0) {
        SetForeground(window);
    } else if (!wasVisible) {
        native_->Raise(window);
    }
}

void WindowCore::MinimizedChanged(WindowRecord& window, bool sendSize) {
    if (sendSize) {
        const Rect& c = window.client;
        Send(window.id, WM_SIZE, SizeState(window),
             window.minimized ? 0 : PackPoint(c.Width(), c.Height()));
    }
    ShowOwnedWithOwner(window.id, !window.minimized);
}

// The desktop minimised or restored the window itself (from its taskbar, say).
void WindowCore::NativeMinimized(WindowId window, bool minimized) {
    const auto record = Find(window);
    if (record == nullptr || !record->visible || record->minimized == minimized) {
        return;
    }
    record->minimized = minimized;
    if (minimized && capture_ == window) {
        SetCapture(0);
    }
    MinimizedChanged(*record, true);
}

// Owned windows disappear while their owner is minimised and come back with it.
void WindowCore::ShowOwnedWithOwner(WindowId owner, bool show) {
    for (const auto& record : windows_.OwnedBy(owner)) {
        if (!show && record->visible) {
            record->visible = false;
            record->hiddenWithOwner = true;
            native_->Show(*record);
        } else if (show && record->hiddenWithOwner) {
            record->visible = true;
            record->hiddenWithOwner = false;
            native_->Show(*record);
        }
    }
}

void WindowCore::ApplyRect(WindowRecord& window, const Rect& rect, bool mirror, bool stateChanged) {
    const Rect old = window.rect;
    const Rect oldClient = window.client;
    window.rect = rect;
    const bool resized = !old.SameSize(rect);
    if (resized || stateChanged) {
        UpdateClientArea(window);
    }
    if (mirror) {
        window.nativeDrag = false;
        window.resizeEdge = 0;
        native_->Place(window);
    }
    const WindowId id = window.id;
    const Rect& client = window.client;
    if (old.left + oldClient.left != rect.left + client.left ||
        old.top + oldClient.top != rect.top + client.top) {
        Send(id, WM_MOVE, 0, PackPoint(rect.left + client.left, rect.top + client.top));
    }
    if (resized || stateChanged || !oldClient.SameSize(client)) {
        Send(id, WM_SIZE, SizeState(window), PackPoint(client.Width(), client.Height()));
        native_->Invalidate(id);
    }
}

void WindowCore::Center(WindowId window) {
    const auto record = Find(window);
    if (record == nullptr) {
        return;
    }
    const Rect area = native_->WorkArea(record.get());
    Rect around = area;
    if (const auto owner = Find(record->owner); owner && owner->visible && !owner->minimized) {
        around = owner->rect;
    }
    const int width = record->rect.Width();
    const int height = record->rect.Height();
    int x = around.left + (around.Width() - width) / 2;
    int y = around.top + (around.Height() - height) / 2;
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    ApplyRect(*record, record->rect.MovedTo(x, y), true);
}

void WindowCore::Enable(WindowId window, bool enable) {
    const auto record = Find(window);
    if (record == nullptr || record->enabled == enable) {
        return;
    }
    record->enabled = enable;
    native_->Enable(*record);
    if (!enable && capture_ == window) {
        SetCapture(0);
    }
    Send(window, WM_ENABLE, enable ? 1 : 0, 0);
}

void WindowCore::SetFocus(WindowId window) {
    if (window == focus_ || (window != 0 && !Find(window))) {
        return;
    }
    const WindowId previous = focus_;
    focus_ = window;
    if (previous != 0) {
        Send(previous, WM_KILLFOCUS, window, 0);
    }
    if (window != 0 && focus_ == window) {
        native_->Focus(window);
        Send(window, WM_SETFOCUS, previous, 0);
    }
}

void WindowCore::SetForeground(WindowId window) {
    const auto record = Find(window);
    if (record == nullptr) {
        return;
    }
    native_->Raise(window);
    if (foreground_ != window) {
        const WindowId previous = foreground_;
        foreground_ = window;
        if (previous != 0) {
            Send(previous, WM_NCACTIVATE, 0, 0);
            Send(previous, WM_ACTIVATE, WA_INACTIVE, static_cast<intptr_t>(window));
        }
        Send(window, WM_NCACTIVATE, 1, 0);
        Send(window, WM_ACTIVATE, WA_ACTIVE, static_cast<intptr_t>(previous));
    }
    SetFocus(window);
}

void WindowCore::NativeFocus(WindowId window, bool focused) {
    if (focused) {
        SetForeground(window);
    } else if (focus_ == window) {
        SetFocus(0);
    }
}

// Keys go to the window named by the native side, else to the one with the focus.
void WindowCore::Key(WindowId window, uint32_t virtualKey, bool down) {
    const WindowId target = window != 0 ? window : focus_;
    const auto record = Find(target);
    if (record != nullptr && record->enabled) {
        Send(target, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, down ? 1 : 0xC0000001);
    }
}

void WindowCore::Character(WindowId window, char16_t character) {
    const WindowId target = window != 0 ? window : focus_;
    const auto record = Find(target);
    if (record != nullptr && record->enabled) {
        Send(target, WM_CHAR, character, 1);
    }
}

}  // namespace platform::core
