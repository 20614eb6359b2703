#include "platform/headless/HeadlessInput.h"

#include "platform/Messages.h"
#include "platform/headless/HeadlessWindows.h"

namespace platform::headless {
namespace {

core::WindowCore& Core() {
    return core::WindowCore::Instance();
}

// The headless system when it is the one in use, on the UI thread.
HeadlessWindows* System() {
    core::NativeWindows* native = Core().Native();
    if (native == nullptr || !Core().OnUiThread()) {
        return nullptr;
    }
    return dynamic_cast<HeadlessWindows*>(native);
}

uintptr_t buttons = 0;

uintptr_t ButtonFlag(Button button) {
    return button == Button::Left ? MK_LBUTTON : MK_RBUTTON;
}

core::MouseButton CoreButton(Button button) {
    return button == Button::Left ? core::MouseButton::Left : core::MouseButton::Right;
}

}  // namespace

void MouseMove(int x, int y) {
    if (HeadlessWindows* system = System()) {
        Core().MouseMove(system->WindowAt({x, y}), {x, y}, buttons);
    }
}

void MouseDown(int x, int y, Button button) {
    if (HeadlessWindows* system = System()) {
        MouseMove(x, y);
        buttons |= ButtonFlag(button);
        Core().MouseButtonDown(system->WindowAt({x, y}), {x, y}, CoreButton(button), false,
                               buttons);
    }
}

void MouseUp(int x, int y, Button button) {
    if (HeadlessWindows* system = System()) {
        MouseMove(x, y);
        buttons &= ~ButtonFlag(button);
        Core().MouseButtonUp(system->WindowAt({x, y}), {x, y}, CoreButton(button), buttons);
    }
}

void Click(int x, int y) {
    MouseDown(x, y);
    MouseUp(x, y);
}

void DoubleClick(int x, int y) {
    Click(x, y);
    if (HeadlessWindows* system = System()) {
        buttons |= MK_LBUTTON;
        Core().MouseButtonDown(system->WindowAt({x, y}), {x, y}, core::MouseButton::Left, true,
                               buttons);
        MouseUp(x, y);
    }
}

void Wheel(int x, int y, int notches) {
    if (HeadlessWindows* system = System()) {
        Core().MouseWheel(system->WindowAt({x, y}), {x, y}, notches * WHEEL_DELTA, buttons);
    }
}

void KeyDown(uint32_t virtualKey) {
    if (System() != nullptr) {
        Core().Key(0, virtualKey, true);
    }
}

void KeyUp(uint32_t virtualKey) {
    if (System() != nullptr) {
        Core().Key(0, virtualKey, false);
    }
}

void TypeChar(char16_t character) {
    if (System() != nullptr) {
        Core().Character(0, character);
    }
}

bool LastPresented(WindowId window, Bitmap& bitmap) {
    HeadlessWindows* system = System();
    return system != nullptr && system->LastPresented(window, bitmap);
}

bool FireTimer(WindowId window, uintptr_t id) {
    return System() != nullptr && Core().FireTimer(window, id);
}

Cursor CurrentCursor() {
    HeadlessWindows* system = System();
    return system != nullptr ? system->CurrentCursor() : Cursor::Arrow;
}

void SetTranslucentScreen(bool translucent) {
    if (HeadlessWindows* system = System()) {
        system->SetTranslucent(translucent);
    }
}

void SetMessageBoxAnswer(int answer) {
    if (HeadlessWindows* system = System()) {
        system->SetMessageBoxAnswer(answer);
    }
}

std::string LastMessageBoxText() {
    HeadlessWindows* system = System();
    return system != nullptr ? system->LastMessageBoxText() : std::string();
}

std::string LastMessageBoxCaption() {
    HeadlessWindows* system = System();
    return system != nullptr ? system->LastMessageBoxCaption() : std::string();
}

void SetFolderChooserAnswer(const std::string& folder) {
    if (HeadlessWindows* system = System()) {
        system->SetFolderChooserAnswer(folder);
    }
}

std::vector<ShellRequest> ShellRequests() {
    HeadlessWindows* system = System();
    return system != nullptr ? system->ShellRequests() : std::vector<ShellRequest>();
}

void ClearShellRequests() {
    if (HeadlessWindows* system = System()) {
        system->ClearShellRequests();
    }
}

std::vector<DesktopNotification> Notifications() {
    HeadlessWindows* system = System();
    return system != nullptr ? system->Notifications() : std::vector<DesktopNotification>();
}

void ClearNotifications() {
    if (HeadlessWindows* system = System()) {
        system->ClearNotifications();
    }
}

std::vector<WindowId> WindowsOfClass(const std::string& className) {
    HeadlessWindows* system = System();
    return system != nullptr ? system->WindowsOfClass(className) : std::vector<WindowId>();
}

}  // namespace platform::headless
