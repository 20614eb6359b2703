#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/Mouse.h"
#include "platform/Present.h"
#include "platform/core/WindowRecord.h"

// What a window system has to provide under the shared window core. The core keeps every
// window's state and sends every message; an implementation only mirrors that state natively
// and reports native events back to the core.
namespace platform::core {

class NativeWindows {
  public:
    virtual ~NativeWindows() = default;

    // False when the system cannot run here (no display).
    virtual bool Start() = 0;

    virtual void Create(const WindowRecord& window) = 0;
    virtual void Destroy(WindowId window) = 0;
    // Mirror the record's visible/minimised flags, rectangle (within its limits, when limited),
    // region, top-most and enabled state.
    virtual void Show(const WindowRecord& window) = 0;
    virtual void Place(const WindowRecord& window) = 0;
    virtual void SetRegion(const WindowRecord& window) = 0;
    virtual void SetTopMost(const WindowRecord& window) = 0;
    virtual void Enable(const WindowRecord& window) = 0;
    virtual void Focus(WindowId window) = 0;
    virtual void Raise(WindowId window) = 0;
    // The work area of the monitor showing the window; the primary one for null.
    virtual Rect WorkArea(const WindowRecord* window) = 0;

    virtual void Capture(WindowId window) = 0;  // 0 releases
    virtual void SetCursor(WindowId under, Cursor cursor) = 0;
    // True when the system drags the window itself; false leaves the drag to the core. A
    // system resize drag keeps to the record's limits and reports its bounds as it goes.
    virtual bool BeginMoveDrag(WindowId window, Point screen) = 0;
    virtual bool BeginResizeDrag(const WindowRecord& window, intptr_t hit, Point screen) = 0;

    // Ticks are reported with WindowCore::TimerDue.
    virtual void StartTimer(WindowId window, uintptr_t id, uint32_t periodMs) = 0;
    virtual void StopTimer(WindowId window, uintptr_t id) = 0;

    virtual void Present(WindowId window, const BitmapView& bitmap) = 0;
    virtual void Invalidate(WindowId window) = 0;
    virtual bool Translucent() const = 0;

    // Handles native events that are ready, waiting up to timeoutMs (-1: until something
    // happens) when none is. True when anything was handled.
    virtual bool WaitForEvents(int timeoutMs) = 0;
    // Ends a wait; any thread.
    virtual void Wake() = 0;

    virtual int MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                           MessageBoxButtons buttons) = 0;
    virtual std::string ChooseFolder(WindowId owner, const std::string& startFolder) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string GetClipboardText() = 0;

    // The desktop's shell (platform/Shell.h); web addresses arrive already limited to http(s).
    virtual bool OpenWebAddress(const std::string& url) = 0;
    virtual bool ShowInFileManager(const std::string& filePath) = 0;
    virtual bool OpenFolder(const std::string& folder) = 0;
    // platform/Notification.h.
    virtual bool ShowNotification(const std::string& title, const std::string& body) = 0;
};

}  // namespace platform::core
