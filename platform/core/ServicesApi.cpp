#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Mouse.h"
#include "platform/Notification.h"
#include "platform/Present.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"
#include "platform/core/WindowCore.h"

namespace platform {
namespace {

core::WindowCore& Core() {
    return core::WindowCore::Instance();
}

// Services that need the window system; null off the UI thread or when it cannot run.
core::NativeWindows* UiNative() {
    core::NativeWindows* native = Core().Native();
    return native != nullptr && Core().OnUiThread() ? native : nullptr;
}

}  // namespace

bool SelectWindowSystem(WindowSystemKind kind) {
    return Core().Select(kind);
}

void SetCapture(WindowId window) {
    if (UiNative() != nullptr) {
        Core().SetCapture(window);
    }
}

void ReleaseCapture() {
    SetCapture(0);
}

WindowId GetCapture() {
    return Core().Capture();
}

void TrackMouse(WindowId window, uint32_t flags, uint32_t hoverMs) {
    if (UiNative() != nullptr) {
        Core().TrackMouse(window, flags, hoverMs);
    }
}

void SetCursor(Cursor cursor) {
    if (UiNative() != nullptr) {
        Core().SetCursor(cursor);
    }
}

void PresentBitmap(WindowId window, const BitmapView& bitmap) {
    core::NativeWindows* native = UiNative();
    if (native != nullptr && Core().Find(window) && bitmap.pixels != nullptr && bitmap.width > 0 &&
        bitmap.height > 0 && bitmap.stride >= bitmap.width * 4) {
        native->Present(window, bitmap);
    }
}

bool ScreenSupportsTranslucency() {
    core::NativeWindows* native = UiNative();
    return native != nullptr && native->Translucent();
}

void InvalidateWindow(WindowId window) {
    if (core::NativeWindows* native = UiNative(); native != nullptr && Core().Find(window)) {
        native->Invalidate(window);
    }
}

int ShowMessageBox(WindowId owner, const std::string& text, const std::string& caption,
                   MessageBoxButtons buttons) {
    core::NativeWindows* native = UiNative();
    if (native == nullptr) {
        return IDCANCEL;
    }
    return native->MessageBox(Core().Find(owner) ? owner : 0, text, caption, buttons);
}

std::string ChooseFolder(WindowId owner, const std::string& startFolder) {
    core::NativeWindows* native = UiNative();
    return native == nullptr ? std::string()
                             : native->ChooseFolder(Core().Find(owner) ? owner : 0, startFolder);
}

void SetClipboardText(const std::string& text) {
    if (core::NativeWindows* native = UiNative()) {
        native->SetClipboardText(text);
    }
}

std::string GetClipboardText() {
    core::NativeWindows* native = UiNative();
    return native == nullptr ? std::string() : native->GetClipboardText();
}

// Only web pages, on every window system: an address from elsewhere must not open local files
// or other handlers.
bool OpenWebAddress(const std::string& url) {
    if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) {
        return false;
    }
    core::NativeWindows* native = UiNative();
    return native != nullptr && native->OpenWebAddress(url);
}

bool ShowInFileManager(const std::string& filePath) {
    core::NativeWindows* native = UiNative();
    return native != nullptr && native->ShowInFileManager(filePath);
}

bool OpenFolder(const std::string& folder) {
    core::NativeWindows* native = UiNative();
    return native != nullptr && native->OpenFolder(folder);
}

bool ShowDesktopNotification(const std::string& title, const std::string& body) {
    core::NativeWindows* native = UiNative();
    return native != nullptr && native->ShowNotification(title, body);
}

}  // namespace platform
