#pragma once

#include <cstdint>

// Window messages, hit-test codes and key codes with the numbers the window library was written
// against, so its message handling reads the same on every platform.
namespace platform {

constexpr uint32_t WM_NULL = 0;
constexpr uint32_t WM_CREATE = 1;
constexpr uint32_t WM_DESTROY = 2;
constexpr uint32_t WM_MOVE = 3;
constexpr uint32_t WM_SIZE = 5;
constexpr uint32_t WM_ACTIVATE = 6;
constexpr uint32_t WM_SETFOCUS = 7;
constexpr uint32_t WM_KILLFOCUS = 8;
constexpr uint32_t WM_ENABLE = 10;
constexpr uint32_t WM_PAINT = 15;
constexpr uint32_t WM_CLOSE = 16;
constexpr uint32_t WM_QUIT = 18;
constexpr uint32_t WM_ERASEBKGND = 20;
constexpr uint32_t WM_SHOWWINDOW = 24;
constexpr uint32_t WM_SETCURSOR = 32;
constexpr uint32_t WM_MOUSEACTIVATE = 33;
constexpr uint32_t WM_GETMINMAXINFO = 36;
constexpr uint32_t WM_NCCREATE = 129;
constexpr uint32_t WM_NCDESTROY = 130;
constexpr uint32_t WM_NCCALCSIZE = 131;
constexpr uint32_t WM_NCHITTEST = 132;
constexpr uint32_t WM_NCPAINT = 133;
constexpr uint32_t WM_NCACTIVATE = 134;
constexpr uint32_t WM_NCLBUTTONDOWN = 161;
constexpr uint32_t WM_KEYDOWN = 256;
constexpr uint32_t WM_KEYUP = 257;
constexpr uint32_t WM_CHAR = 258;
constexpr uint32_t WM_SYSCOMMAND = 274;
constexpr uint32_t WM_TIMER = 275;
constexpr uint32_t WM_MOUSEMOVE = 512;
constexpr uint32_t WM_LBUTTONDOWN = 513;
constexpr uint32_t WM_LBUTTONUP = 514;
constexpr uint32_t WM_LBUTTONDBLCLK = 515;
constexpr uint32_t WM_RBUTTONDOWN = 516;
constexpr uint32_t WM_RBUTTONUP = 517;
constexpr uint32_t WM_MOUSEWHEEL = 522;
constexpr uint32_t WM_MOUSEHOVER = 673;
constexpr uint32_t WM_MOUSELEAVE = 675;
constexpr uint32_t WM_USER = 1024;
constexpr uint32_t WM_APP = 32768;

// WM_SIZE wParam.
constexpr uintptr_t SIZE_RESTORED = 0;
constexpr uintptr_t SIZE_MINIMIZED = 1;
constexpr uintptr_t SIZE_MAXIMIZED = 2;

// WM_ACTIVATE wParam.
constexpr uintptr_t WA_INACTIVE = 0;
constexpr uintptr_t WA_ACTIVE = 1;

// WM_SYSCOMMAND wParam.
constexpr uintptr_t SC_MINIMIZE = 0xF020;
constexpr uintptr_t SC_MAXIMIZE = 0xF030;
constexpr uintptr_t SC_CLOSE = 0xF060;
constexpr uintptr_t SC_RESTORE = 0xF120;

// Mouse-message wParam key state.
constexpr uintptr_t MK_LBUTTON = 0x0001;
constexpr uintptr_t MK_RBUTTON = 0x0002;
constexpr uintptr_t MK_SHIFT = 0x0004;
constexpr uintptr_t MK_CONTROL = 0x0008;

constexpr int WHEEL_DELTA = 120;

// WM_NCHITTEST answers.
constexpr intptr_t HTNOWHERE = 0;
constexpr intptr_t HTCLIENT = 1;
constexpr intptr_t HTCAPTION = 2;
constexpr intptr_t HTLEFT = 10;
constexpr intptr_t HTRIGHT = 11;
constexpr intptr_t HTTOP = 12;
constexpr intptr_t HTTOPLEFT = 13;
constexpr intptr_t HTTOPRIGHT = 14;
constexpr intptr_t HTBOTTOM = 15;
constexpr intptr_t HTBOTTOMLEFT = 16;
constexpr intptr_t HTBOTTOMRIGHT = 17;

// Virtual key codes.
constexpr uint32_t VK_BACK = 8;
constexpr uint32_t VK_TAB = 9;
constexpr uint32_t VK_RETURN = 13;
constexpr uint32_t VK_SHIFT = 16;
constexpr uint32_t VK_CONTROL = 17;
constexpr uint32_t VK_MENU = 18;
constexpr uint32_t VK_ESCAPE = 27;
constexpr uint32_t VK_SPACE = 32;
constexpr uint32_t VK_PRIOR = 33;
constexpr uint32_t VK_NEXT = 34;
constexpr uint32_t VK_END = 35;
constexpr uint32_t VK_HOME = 36;
constexpr uint32_t VK_LEFT = 37;
constexpr uint32_t VK_UP = 38;
constexpr uint32_t VK_RIGHT = 39;
constexpr uint32_t VK_DOWN = 40;
constexpr uint32_t VK_DELETE = 46;
constexpr uint32_t VK_F1 = 112;

// lParam of mouse messages carries x in the low and y in the high 16 bits, both signed.
constexpr intptr_t PackPoint(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                                 static_cast<uint16_t>(x));
}
constexpr int PointX(intptr_t lParam) {
    return static_cast<int16_t>(static_cast<uint16_t>(lParam & 0xFFFF));
}
constexpr int PointY(intptr_t lParam) {
    return static_cast<int16_t>(static_cast<uint16_t>((lParam >> 16) & 0xFFFF));
}
constexpr uint32_t LowWord(uintptr_t value) {
    return static_cast<uint32_t>(value & 0xFFFF);
}
constexpr int HighWordSigned(uintptr_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>((value >> 16) & 0xFFFF));
}

}  // namespace platform
