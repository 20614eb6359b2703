#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Mouse.h"
#include "platform/WindowPost.h"

// Control of the in-memory window system: input as a person would give it, on a virtual
// 1920x1080 screen whose work area is the whole screen, and what each window showed. Calls
// belong to the UI thread and do nothing unless the headless system is in use.
namespace platform::headless {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

enum class Button { Left, Right };

// Screen coordinates. Each goes to the window under the point (or the capture) as it would
// from a real mouse: hit test, cursor query, then the client-area message.
void MouseMove(int x, int y);
void MouseDown(int x, int y, Button button = Button::Left);
void MouseUp(int x, int y, Button button = Button::Left);
void Click(int x, int y);
void DoubleClick(int x, int y);
void Wheel(int x, int y, int notches);

// To the focused window: WM_KEYDOWN/WM_KEYUP with the key code, WM_CHAR with a character.
void KeyDown(uint32_t virtualKey);
void KeyUp(uint32_t virtualKey);
void TypeChar(char16_t character);

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // premultiplied ARGB, row by row
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The last bitmap presented into the window; false when none was.
bool LastPresented(WindowId window, Bitmap& bitmap);

// Delivers the timer's WM_TIMER now, as if its period had passed. False for no such timer.
bool FireTimer(WindowId window, uintptr_t id);

Cursor CurrentCursor();

// Whether the virtual screen blends layered windows (it does at first), as a compositor would.
void SetTranslucentScreen(bool translucent);

// Dialogs answer without a person: message boxes give the set answer (IDOK at first) and are
// recorded; the folder chooser gives the set folder (empty at first, as if cancelled).
void SetMessageBoxAnswer(int answer);
std::string LastMessageBoxText();
std::string LastMessageBoxCaption();
void SetFolderChooserAnswer(const std::string& folder);

// The shell starts nothing: each request is recorded, in order, and answered true.
struct ShellRequest {
    enum Kind { WebAddress, ShowItem, OpenFolder };
    Kind kind = WebAddress;
    std::string target;  // the address, the file to show or the folder, as asked
    bool operator==(const ShellRequest&) const = default;
};
std::vector<ShellRequest> ShellRequests();
void ClearShellRequests();

// Desktop notifications are recorded, in order, and answered true.
struct DesktopNotification {
    std::string title;
    std::string body;
    bool operator==(const DesktopNotification&) const = default;
};
std::vector<DesktopNotification> Notifications();
void ClearNotifications();

// The windows made with the class name that still exist, oldest first.
std::vector<WindowId> WindowsOfClass(const std::string& className);

}  // namespace platform::headless
