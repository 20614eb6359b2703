#pragma once

#include <cstdint>
#include <vector>

#include "uikit/draw/Geometry.h"

namespace uikit {

class CControlUI;
class CWindowManagerUI;
class ToolTipControllerUI;

// Turns one window's input into control events: which control the pointer is over, which one
// holds the pointer while a button is down, which one has the keyboard, and which controls
// must hear when the pointer leaves them. Where the pointer rests it offers the tip, and input
// that ends the resting cancels it.
class InputRouterUI {
  public:
    InputRouterUI(CWindowManagerUI& manager, ToolTipControllerUI& tips);
    InputRouterUI(const InputRouterUI&) = delete;
    InputRouterUI& operator=(const InputRouterUI&) = delete;

    // Hands the event to `control` if it belongs to this window.
    void Dispatch(CControlUI* control, int type, Point pt, uintptr_t wParam = 0);

    void OnMouseMove(Point pt);
    void OnLButtonDown(Point pt);
    void OnLButtonUp(Point pt);
    void OnLButtonDblClk(Point pt);
    void OnRButtonDown(Point pt);
    void OnMouseWheel(Point pt, int delta);
    void OnMouseHover(Point pt);
    void OnContextMenu(Point pt);
    void OnKeyDown(int key, uint32_t keyState);
    void OnKeyUp(int key);
    void OnChar(char16_t ch);
    bool OnSetCursor(Point pt);
    // The window closes: hover and capture end with their events, the focus goes.
    void OnClose();
    void OnMouseLeaveWindow();

    CControlUI* GetFocus() const { return focus_; }
    void SetFocus(CControlUI* control);
    CControlUI* GetHover() const { return hover_; }
    CControlUI* GetCapture() const { return captured_; }
    Point GetMousePos() const { return mousePos_; }
    // The pointer moved where no control hears of it (a filter took the message).
    void SetMousePos(Point pt) { mousePos_ = pt; }

    void AddMouseLeaveNeeded(CControlUI* control);
    // The tree is replaced or gone: no control is hovered, captured, focused or pressed, and
    // none hears of it.
    void DropTargets();
    // A control that goes away is no longer a target; the tip goes with the hover.
    void Forget(const CControlUI* control);

  private:
    void UpdateHover(CControlUI* newHover, Point pt);
    // A button went down at pt: the tip goes, and the control of this window under it, if any.
    CControlUI* PressTarget(Point pt);
    void SendPendingMouseLeaves(Point pt);

    CWindowManagerUI& manager_;
    ToolTipControllerUI& tips_;
    CControlUI* hover_ = nullptr;
    CControlUI* captured_ = nullptr;
    CControlUI* focus_ = nullptr;
    CControlUI* keyPressed_ = nullptr;
    Point mousePos_;
    std::vector<CControlUI*> mouseLeaveNeeded_;
};

}  // namespace uikit
