#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Geometry.h"
#include "platform/WindowPost.h"

namespace uikit {

class CShadowUI;
class CWindowManagerUI;
class IDialogBuilderCallback;
class INotifyUI;

// A native window driven by an object: the object receives the window's messages in its
// HandleMessage and hears in OnFinalMessage when the native window is gone. The object is not
// deleted by the library.
class CWindowWnd {
  public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    platform::WindowId GetHWND() const { return hwnd_; }

    // Creates the native window (platform window styles); 0 when it cannot be made or the
    // handler refused it during creation.
    platform::WindowId Create(platform::WindowId owner, const std::string& title, uint32_t style,
                              const platform::Rect& rect = platform::Rect{});
    // On the owner when it is shown and not minimised, else on the monitor's work area.
    void CenterWindow();
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Posts the close message; a modal run returns `result`.
    void Close(uintptr_t result = 1);
    // Shows the window, disables its owner and runs until the window is gone or the process
    // quits; the result is what the close message carried.
    uintptr_t ShowModal();
    // Gives the window the drop shadow its markup asks for (when this screen can show it); the
    // shadow then follows the window. Call once the markup is built.
    void AttachShadow(CWindowManagerUI& manager);
    const CShadowUI* Shadow() const { return shadow_.get(); }

  protected:
    // What a skinned window does while its native window is being created: binds the manager
    // to it, builds the markup file into the manager's tree (custom tags through callback),
    // takes the markup's initial size, attaches the tree and the shadow, and lets notifier hear
    // the tree. False, with the manager unbound again, when the markup does not build.
    bool BuildSkin(CWindowManagerUI& manager, std::u16string_view file,
                   IDialogBuilderCallback* callback, INotifyUI* notifier);

    virtual std::string GetWindowClassName() const = 0;
    virtual std::string GetSuperClassName() const { return {}; }
    virtual uint32_t GetClassStyle() const { return 0; }
    virtual intptr_t HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    virtual void OnFinalMessage(platform::WindowId window);

  private:
    intptr_t Dispatch(platform::WindowId window, uint32_t message, uintptr_t wParam,
                      intptr_t lParam);
    void EndModal(uintptr_t result);

    platform::WindowId hwnd_ = 0;
    std::unique_ptr<CShadowUI> shadow_;
    bool modal_ = false;
    bool modalEnded_ = false;
    uintptr_t modalResult_ = 0;
};

}  // namespace uikit
