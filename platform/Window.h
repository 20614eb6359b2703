#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Geometry.h"
#include "platform/WindowPost.h"

// Native windows. Every call here belongs to the UI thread (the thread that first used the
// window layer, normally by making the first window); only posting (WindowPost.h) may come from
// other threads.
namespace platform {

// The window's procedure: every message for the window, with the window's numbers and meaning
// (Messages.h). What it does not handle it passes to DefaultWindowProc.
using MessageProc = std::function<intptr_t(WindowId, uint32_t, uintptr_t, intptr_t)>;

enum WindowStyle : uint32_t {
    kStylePopup = 1u << 0,
    kStyleVisible = 1u << 1,
    kStyleToolWindow = 1u << 2,  // no taskbar entry
    kStyleTopMost = 1u << 3,
    kStyleLayered = 1u << 4,       // per-pixel alpha from the presented bitmap
    kStyleClickThrough = 1u << 5,  // mouse input goes to what lies below
    kStyleNoActivate = 1u << 6,    // never takes the focus by being shown or clicked
    // A passing hint such as a tooltip: the desktop neither manages, decorates nor moves it, so
    // it appears exactly where it is put.
    kStyleToolTip = 1u << 7,
};

struct WindowParams {
    WindowId owner = 0;
    std::string className;
    std::string title;  // UTF-8
    uint32_t style = kStylePopup;
    Rect rect;  // screen coordinates
    MessageProc proc;
};

// Restore undoes a minimise first (back to the maximised state when the window was maximised
// before), else a maximise.
enum class ShowCommand { Hide, Show, ShowNoActivate, Minimize, Maximize, Restore };

// What WM_GETMINMAXINFO's lParam points at: the procedure may change any field. All in pixels,
// the maximised position in screen coordinates. The platform fills in the work area of the
// window's monitor for the maximised rectangle, no minimum and kMaxTrackSide as the maximum.
struct MinMaxInfo {
    Point maxSize;
    Point maxPosition;
    Point minTrackSize;
    Point maxTrackSize;
};
// Sizes travel in 16 bits of WM_SIZE's lParam.
constexpr int kMaxTrackSide = 32767;

// Sends WM_NCCREATE and WM_CREATE (lParam points at params); 0 when the window system cannot
// start or the procedure refuses the window (WM_NCCREATE answers 0, WM_CREATE answers -1).
WindowId CreateNativeWindow(const WindowParams& params);

// Destroys the window's owned windows first, then sends WM_DESTROY and WM_NCDESTROY; its timers,
// capture and pending tracking go with it. False when there is no such window.
bool DestroyNativeWindow(WindowId window);
bool IsWindow(WindowId window);

// What the procedure does with what it leaves alone: WM_CLOSE destroys the window,
// WM_SYSCOMMAND carries out close, minimise, maximise and restore,
// WM_NCHITTEST answers HTCLIENT, WM_SETCURSOR sets the arrow, WM_ERASEBKGND and WM_NCACTIVATE
// answer 1.
intptr_t DefaultWindowProc(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam);

void ShowNativeWindow(WindowId window, ShowCommand command);
bool IsWindowVisible(WindowId window);
bool IsMinimized(WindowId window);
bool IsMaximized(WindowId window);

// Moves and sizes in one step (screen coordinates); sends WM_MOVE and WM_SIZE for what changed.
// A new size is first offered to WM_GETMINMAXINFO and kept within its tracking sizes (the
// top-left corner stays). WM_NCCALCSIZE then gets the window rectangle (lParam points at a Rect
// in screen coordinates) and may shrink it to the client area; left alone, the whole window is
// client area. WM_SIZE carries the client size: SIZE_MAXIMIZED while maximised.
void SetWindowRect(WindowId window, const Rect& rect);
void MoveWindowTo(WindowId window, int x, int y);
void ResizeWindow(WindowId window, int width, int height);

// Centres on the owner when it is shown and not minimised, else on the work area of the
// window's monitor; then pulls the window back inside that work area. Size unchanged.
void CenterWindow(WindowId window);

Rect GetWindowRect(WindowId window);  // screen coordinates
Rect GetClientRect(WindowId window);  // 0,0,width,height of the client area
Rect GetWorkArea(WindowId window);    // of the window's monitor; primary monitor for 0
Point ScreenToClient(WindowId window, Point screen);
WindowId GetOwner(WindowId window);
uint32_t GetStyle(WindowId window);
void SetTopMost(WindowId window, bool topMost);

// A disabled window receives no mouse or keyboard input.
void EnableWindow(WindowId window, bool enable);
bool IsWindowEnabled(WindowId window);

void SetFocus(WindowId window);
WindowId GetFocus();
void SetForegroundWindow(WindowId window);
WindowId GetForegroundWindow();

}  // namespace platform
