#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/Mouse.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"
#include "platform/WindowPost.h"
#include "platform/core/RoundRegion.h"
#include "platform/core/WindowCore.h"

// Last: the system's macros (WM_PAINT, IDOK, MK_LBUTTON...) carry the numbers of the project's
// own constants of the same names, which they would rename in any header read after them.
#include <windows.h>
#undef MessageBox

#include "platform/win32/services/WideText.h"

// The desktop window system on Win32. Every window is a borderless pop-up of a class named as
// the core's record says (so FindWindow finds the main window), drawn from a DIB section that
// holds the last presented bitmap; its messages become the core's input reports.
namespace platform::win32 {

class Win32Windows final : public core::NativeWindows {
  public:
    explicit Win32Windows(core::WindowCore& core) : core_(core) {}
    ~Win32Windows() override;

    // The running window system, for the single-instance hand-over; null before Start.
    static Win32Windows* Running() { return running_; }

    bool Start() override;
    void Create(const core::WindowRecord& window) override;
    void Destroy(WindowId window) override;
    void Show(const core::WindowRecord& window) override;
    void Place(const core::WindowRecord& window) override;
    void SetRegion(const core::WindowRecord& window) override;
    void SetTopMost(const core::WindowRecord& window) override;
    void Enable(const core::WindowRecord& window) override;
    void Focus(WindowId window) override;
    void Raise(WindowId window) override;
    Rect WorkArea(const core::WindowRecord* window) override;

    void Capture(WindowId window) override;
    void SetCursor(WindowId under, Cursor cursor) override;
    bool BeginMoveDrag(WindowId window, Point screen) override;
    bool BeginResizeDrag(const core::WindowRecord& window, intptr_t hit, Point screen) override;

    void StartTimer(WindowId window, uintptr_t id, uint32_t periodMs) override;
    void StopTimer(WindowId window, uintptr_t id) override;

    void Present(WindowId window, const BitmapView& bitmap) override;
    void Invalidate(WindowId window) override;
    // Layered windows always blend on Windows; under Wine on an X server they blend only with
    // a compositor, which cannot be asked for from here, so soft shadows stay off there.
    bool Translucent() const override { return !underWine_; }

    bool WaitForEvents(int timeoutMs) override;
    void Wake() override;

    int MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                   MessageBoxButtons buttons) override;
    std::string ChooseFolder(WindowId owner, const std::string& startFolder) override;
    void SetClipboardText(const std::string& text) override;
    std::string GetClipboardText() override;

    bool OpenWebAddress(const std::string& url) override;
    bool ShowInFileManager(const std::string& filePath) override;
    bool OpenFolder(const std::string& folder) override;
    bool ShowNotification(const std::string& title, const std::string& body) override;

    // The window procedure (Win32Events.cpp) and drawing (Win32Present.cpp) reach the state here.
    struct Native {
        WindowId id = 0;
        HWND hwnd = nullptr;
        bool layered = false;
        bool clickThrough = false;
        bool noActivate = false;
        bool painting = false;
        bool paintPending = false;  // a layered window's WM_PAINT is on its way
        bool tracking = false;      // TrackMouseEvent asked for WM_MOUSELEAVE
        Cursor cursor = Cursor::Arrow;
        // The last presented bitmap, window-sized, at the client area's offset.
        HDC memory = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
        void* bits = nullptr;
        int width = 0;
        int height = 0;
        // A message another process may post to this window (the single-instance hand-over).
        uint32_t foreignMessage = 0;
    };
    Native* Find(WindowId window);
    HWND HwndOf(WindowId window);
    core::WindowCore& Core() { return core_; }
    LRESULT Handle(Native& native, UINT message, WPARAM wParam, LPARAM lParam);
    // Lets `message` from other processes reach the window; 0 stops it.
    void AcceptForeign(WindowId window, uint32_t message);
    // The helper window's messages (Win32Dialogs.cpp).
    LRESULT HelperMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    bool RegisterClassFor(const std::string& className);
    void Paint(Native& native);
    void PaintLayered(Native& native);
    bool EnsureBitmap(Native& native, int width, int height);
    void FreeBitmap(Native& native);
    void Blit(Native& native, HDC target);
    void UpdateLayered(Native& native);
    LRESULT MouseMessage(Native& native, UINT message, WPARAM wParam, LPARAM lParam);
    bool KeyMessage(Native& native, UINT message, WPARAM wParam);
    void SizeMessage(Native& native, WPARAM wParam);
    void CaptureLost(Native& native);
    bool Dispatch(MSG& message);
    // Runs a system dialog's own loop while the core's posts and ticks keep arriving; a quit
    // seen meanwhile calls `close` and is posted again for the loops outside.
    template <typename Run, typename Close>
    auto RunSystemModal(Run run, Close close);
    void DrainCore();

    static inline Win32Windows* running_ = nullptr;
    core::WindowCore& core_;
    std::map<WindowId, Native> windows_;
    std::map<std::string, ATOM> classes_;
    HANDLE wake_ = nullptr;
    // A message-only window: the clipboard's owner and the tray icon's.
    HWND helper_ = nullptr;
    bool notifying_ = false;
    // Our own capture for a drag the core carries out, as opposed to the core's capture.
    bool dragCapture_ = false;
    WindowId captured_ = 0;
    // Set while the core's own change is mirrored, so its echo is not reported back.
    bool mirroring_ = false;
    bool underWine_ = false;
    // System dialogs running their own loops, and what they saw of the core's queue.
    std::atomic<int> systemModal_{0};
    bool draining_ = false;
    bool modalQuit_ = false;
    int modalQuitCode_ = 0;
    std::function<void()> closeModal_;
};

}  // namespace platform::win32
