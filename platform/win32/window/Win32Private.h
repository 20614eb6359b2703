#pragma once

#include <windows.h>

#include <cstdint>

// What the parts of the Win32 window system share besides the class itself.
namespace platform::win32 {

// Windows whose record names no class, and the hidden helper window.
constexpr char kDefaultClass[] = "KavrinWindow";
constexpr char kHelperClass[] = "KavrinWindowSystem";

// Private messages of our own windows, above any number the core or the program uses.
constexpr UINT kPaintLayered = WM_APP + 0x3F00;  // a layered window's deferred WM_PAINT
constexpr UINT kDrainMessage = WM_APP + 0x3F01;  // drain the core's queue inside a system loop
constexpr UINT kTrayMessage = WM_APP + 0x3F02;   // the notification icon's callback

constexpr int kDispatchBatch = 64;

LRESULT CALLBACK HelperProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void RemoveNotificationIcon(HWND helper, bool& shown);

}  // namespace platform::win32
