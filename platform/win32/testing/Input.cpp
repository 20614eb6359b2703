#include "platform/win32/testing/Input.h"

#include <windows.h>

namespace platform::testwin32 {
namespace {

// Absolute positions are in 0..65535 across the primary screen. Rounded up, so that the pixel
// the system takes back, rounded either way, is the one asked for.
INPUT PointerAt(int x, int y, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((x * 65536 + width - 1) / width);
    input.mi.dy = static_cast<LONG>((y * 65536 + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

void Send(INPUT input) {
    SendInput(1, &input, sizeof(input));
}

void Key(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    Send(input);
}

}  // namespace

void MovePointerTo(int x, int y) {
    Send(PointerAt(x, y, 0));
}

void PressButton(int x, int y) {
    Send(PointerAt(x, y, MOUSEEVENTF_LEFTDOWN));
}

void ReleaseButton(int x, int y) {
    Send(PointerAt(x, y, MOUSEEVENTF_LEFTUP));
}

void TypeKey(char16_t key) {
    WORD virtualKey = VK_ESCAPE;
    if (key == u'\r') {
        virtualKey = VK_RETURN;
    } else if (key >= u'a' && key <= u'z') {
        virtualKey = static_cast<WORD>('A' + (key - u'a'));
    }
    Key(virtualKey, true);
    Key(virtualKey, false);
}

}  // namespace platform::testwin32
