#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "platform/core/MessageQueue.h"
#include "platform/core/NativeWindows.h"
#include "platform/core/TimerTable.h"
#include "platform/core/WindowDrag.h"
#include "platform/core/WindowRecord.h"
#include "platform/core/WindowTable.h"

// The window state and message rules shared by every window system: window records, sending
// and posting, the loop, timer ticks, mouse routing with capture and tracking, caption drags and
// focus. One instance per process, used on the UI thread (posts excepted). The bookkeeping of
// records, timers and drags, and the frame's arithmetic, are parts of their own; the core is
// what sends the messages their changes lead to and keeps the native side in step.
namespace platform::core {

enum class MouseButton { Left, Right };

class WindowCore {
  public:
    static WindowCore& Instance();

    bool Select(WindowSystemKind kind);
    // Starts the chosen system on first use; null when it cannot run.
    NativeWindows* Native();
    bool OnUiThread() const;

    // Windows.
    WindowId Create(const WindowParams& params);
    bool Destroy(WindowId window);
    std::shared_ptr<WindowRecord> Find(WindowId window) const;
    intptr_t Send(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam);
    void Show(WindowId window, ShowCommand command);
    void SetRect(WindowId window, const Rect& rect);
    void SetRegion(WindowId window, const std::optional<WindowRegion>& region);
    void Center(WindowId window);
    void Enable(WindowId window, bool enable);
    void SetFocus(WindowId window);
    WindowId Focus() const { return focus_; }
    void SetForeground(WindowId window);
    WindowId Foreground() const { return foreground_; }

    // Loop.
    void Post(const QueuedMessage& message);
    enum class Pump { Delivered, Idle, Quit };
    Pump PumpOne(int waitMs, int& quitCode);

    // Timers.
    bool SetTimer(WindowId window, uintptr_t id, uint32_t periodMs);
    bool KillTimer(WindowId window, uintptr_t id);
    void TimerDue(WindowId window, uintptr_t id);  // from the native side
    bool FireTimer(WindowId window, uintptr_t id);

    // Mouse, from the native side: `under` is the window the system found under the pointer.
    void MouseMove(WindowId under, Point screen, uintptr_t keys);
    void MouseButtonDown(WindowId under, Point screen, MouseButton button, bool doubleClick,
                         uintptr_t keys);
    void MouseButtonUp(WindowId under, Point screen, MouseButton button, uintptr_t keys);
    void MouseWheel(WindowId under, Point screen, int delta, uintptr_t keys);
    void PointerLeft(WindowId window);
    void PointerGrabBroken();
    void SetCapture(WindowId window);
    WindowId Capture() const { return capture_; }
    void TrackMouse(WindowId window, uint32_t flags, uint32_t hoverMs);
    void SetCursor(Cursor cursor);

    // Keyboard and other native reports.
    void Key(WindowId window, uint32_t virtualKey, bool down);
    void Character(WindowId window, char16_t character);
    void NativeBounds(WindowId window, const Rect& rect);
    void NativeFocus(WindowId window, bool focused);
    void NativeMinimized(WindowId window, bool minimized);

  private:
    WindowCore();
    bool CallProc(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                  intptr_t& result);
    // `stateChanged`: the window was maximised or restored, so WM_SIZE goes out whatever the
    // size.
    void ApplyRect(WindowRecord& window, const Rect& rect, bool mirror, bool stateChanged = false);
    void UpdateClientArea(WindowRecord& window);
    MinMaxInfo QueryLimits(WindowRecord& window);
    // The proposed rectangle within the window's tracking sizes; `edge` (a sizing hit-test
    // code, or 0 for the bottom-right) is the one that gives way.
    Rect Constrain(WindowRecord& window, const Rect& proposed, intptr_t edge);
    void ChangeMaximized(WindowRecord& window, bool maximize);
    void ShowOwnedWithOwner(WindowId owner, bool show);
    void MinimizedChanged(WindowRecord& window, bool sendSize);
    void DestroyOwned(WindowId owner);
    void ForgetWindow(WindowId window);
    WindowId MouseTarget(WindowId under) const;
    bool AcceptsMouse(WindowId window) const;
    void UpdateHovered(WindowId under);
    void RestartHover(WindowId window);
    bool HoverTimerTick(WindowId window, uintptr_t id);
    bool StartCaptionDrag(WindowId window, Point screen);
    void StartResizeDrag(WindowId window, intptr_t hit, Point screen);
    void DragTo(Point screen);
    void DeliverMouse(WindowId target, uint32_t message, Point screen, uintptr_t keys);

    WindowSystemKind kind_ = WindowSystemKind::Desktop;
    std::unique_ptr<NativeWindows> native_;
    bool startFailed_ = false;
    // Read by posting threads that ask whether they are the UI thread.
    std::atomic<bool> started_{false};
    std::atomic<std::thread::id> uiThread_;
    WindowTable windows_;
    MessageQueue queue_;
    TimerTable timers_;
    WindowId focus_ = 0;
    WindowId foreground_ = 0;
    WindowId capture_ = 0;
    WindowId hovered_ = 0;
    Point pointer_;
    WindowDrag drag_;
};

// The native side's constructors.
std::unique_ptr<NativeWindows> MakeDesktopWindows(WindowCore& core);
std::unique_ptr<NativeWindows> MakeHeadlessWindows(WindowCore& core);

}  // namespace platform::core
