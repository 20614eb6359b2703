#pragma once

#include <string>

#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/manager/IMessageFilterUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/WindowWnd.h"

namespace uikit {

// A borderless skinned dialog: builds its skin file while the native window is created, drags
// by its caption band, sizes by its "sizebox" borders within the "mininfo" size and the work
// area, rounds its corners by "roundcorner", maximises to the work area, closes on Escape and
// runs modally.
class WindowImplBase : public CWindowWnd,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
  public:
    // The message box a dialog whose skin does not build shows before the process ends.
    static constexpr const char* kLoadFailedText = "加载资源文件失败";
    static constexpr const char* kLoadFailedCaption = "uikit";
    static constexpr int kLoadFailedExitCode = 1;

    CWindowManagerUI& Manager() { return m_pm; }

    // Creates the dialog as a visible pop-up over its owner, centres it and runs it modally;
    // returns the result its closing carried, or 0 when it could not be made. The title is the
    // window class name unless one is given.
    uintptr_t RunOver(platform::WindowId owner, const std::string& title = {});

    void Notify(NotifyRecordUI& msg) override;
    intptr_t MessageHandler(uint32_t message, uintptr_t wParam, intptr_t lParam,
                            bool& handled) override;
    CControlUI* CreateControl(std::u16string_view tag) override;

  protected:
    virtual void InitWindow() {}
    virtual void OnClick(NotifyRecordUI& msg);
    virtual std::u16string GetSkinFolder() const { return {}; }
    virtual std::u16string GetSkinFile() const = 0;
    // Escape closes with result 1; Return is left to the focused control.
    virtual bool ResponseDefaultKeyEvent(uintptr_t key);
    virtual intptr_t HandleCustomMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                         bool& handled);

    intptr_t HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnFinalMessage(platform::WindowId window) override;

    intptr_t OnCreate();
    intptr_t OnNcHitTest(intptr_t lParam);
    intptr_t OnNcCalcSize(intptr_t lParam);
    void OnSize(uintptr_t wParam);
    void OnGetMinMaxInfo(intptr_t lParam);
    intptr_t OnSysCommand(uintptr_t wParam, intptr_t lParam);
    // Shows "maxbtn" or "restorebtn", whichever the window's state calls for.
    void ShowMaximizeButtons(bool maximized);

    CWindowManagerUI m_pm;
};

}  // namespace uikit
