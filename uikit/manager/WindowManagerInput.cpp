// Turns the window's input into control events: pointer tracking, capture, focus and keys.
#include <algorithm>

#include "uikit/controls/ControlUI.h"
#include "uikit/controls/ExtentUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

void CWindowManagerUI::DispatchEvent(CControlUI* control, int type, Point pt, uintptr_t wParam) {
    if (control == nullptr || control->GetManager() != this) {
        return;
    }
    EventRecordUI event;
    event.type = type;
    event.sender = control;
    event.timestamp = Now();
    event.ptMouse = pt;
    event.wParam = wParam;
    control->Event(event);
}

void CWindowManagerUI::UpdateHover(CControlUI* newHover, Point pt) {
    if (newHover == hover_) {
        return;
    }
    CancelToolTip();  // a tip belongs to the control the pointer rested on
    CControlUI* old = hover_;
    hover_ = newHover;
    DispatchEvent(old, UIEVENT_MOUSELEAVE, pt);
    // The leave handler may have changed the tree; only a still-hovered control is entered.
    if (hover_ == newHover) {
        DispatchEvent(newHover, UIEVENT_MOUSEENTER, pt);
    }
}

void CWindowManagerUI::AddMouseLeaveNeeded(CControlUI* control) {
    if (std::ranges::find(mouseLeaveNeeded_, control) == mouseLeaveNeeded_.end()) {
        mouseLeaveNeeded_.push_back(control);
    }
}

void CWindowManagerUI::SendPendingMouseLeaves(Point pt) {
    std::vector<CControlUI*> left;
    for (CControlUI* control : mouseLeaveNeeded_) {
        if (!control->IsVisible() || !control->GetPos().Contains(pt)) {
            left.push_back(control);
        }
    }
    for (CControlUI* control : left) {
        // Each leave handler may delete other controls; only those still waiting are told.
        if (std::erase(mouseLeaveNeeded_, control) > 0) {
            DispatchEvent(control, UIEVENT_MOUSELEAVE, pt);
        }
    }
}

void CWindowManagerUI::OnMouseMove(Point pt) {
    mousePos_ = pt;
    SendPendingMouseLeaves(pt);
    CControlUI* under = FindControl(pt);
    if (under != nullptr && under->GetManager() != this) {
        return;
    }
    UpdateHover(under, pt);
    DispatchEvent(captured_ != nullptr ? captured_ : hover_, UIEVENT_MOUSEMOVE, pt);
}

CControlUI* CWindowManagerUI::PressTarget(Point pt) {
    mousePos_ = pt;
    CancelToolTip();
    CControlUI* control = FindControl(pt);
    // A control of another window's tree is not this window's to press.
    return control != nullptr && control->GetManager() == this ? control : nullptr;
}

void CWindowManagerUI::OnLButtonDown(Point pt) {
    CControlUI* control = PressTarget(pt);
    if (control == nullptr) {
        return;
    }
    captured_ = control;
    SetFocus(control);
    DispatchEvent(captured_, UIEVENT_BUTTONDOWN, pt);
}

void CWindowManagerUI::OnLButtonUp(Point pt) {
    mousePos_ = pt;
    CControlUI* control = captured_;
    captured_ = nullptr;
    DispatchEvent(control, UIEVENT_BUTTONUP, pt);
}

void CWindowManagerUI::OnLButtonDblClk(Point pt) {
    CControlUI* control = PressTarget(pt);
    if (control == nullptr) {
        return;
    }
    captured_ = control;
    DispatchEvent(control, UIEVENT_DBLCLICK, pt);
}

void CWindowManagerUI::OnRButtonDown(Point pt) {
    CControlUI* control = PressTarget(pt);
    if (control == nullptr) {
        return;
    }
    SetFocus(control);
    DispatchEvent(control, UIEVENT_RBUTTONDOWN, pt);
}

void CWindowManagerUI::OnMouseWheel(Point pt, int delta) {
    mousePos_ = pt;
    CancelToolTip();  // the page moves under the tip
    DispatchEvent(FindControl(pt), UIEVENT_SCROLLWHEEL, pt, delta > 0 ? 0 : 1);
    // Scrolling moved the controls under a pointer that stayed put.
    OnMouseMove(pt);
}

void CWindowManagerUI::OnMouseHover(Point pt) {
    mousePos_ = pt;
    CControlUI* hovered = hover_;
    DispatchEvent(hovered, UIEVENT_MOUSEHOVER, pt);
    if (hovered != nullptr && hovered == hover_ && !hovered->GetToolTip().empty()) {
        toolTip_ = ToolTipUI{std::u16string(hovered->GetToolTip()), hovered->GetToolTipWidth(),
                             hovered->GetPos()};
        ShowToolTipWindow();
    }
}

void CWindowManagerUI::OnContextMenu(Point pt) {
    DispatchEvent(FindControl(pt), UIEVENT_CONTEXTMENU, pt);
}

void CWindowManagerUI::OnKeyDown(int key, uint32_t keyState) {
    keyPressed_ = focus_;
    CancelToolTip();  // a person typing is done reading the tip
    if (focus_ == nullptr) {
        return;
    }
    EventRecordUI event;
    event.type = UIEVENT_KEYDOWN;
    event.sender = focus_;
    event.timestamp = Now();
    event.ptMouse = mousePos_;
    event.chKey = static_cast<char16_t>(key);
    event.keyState = keyState;
    event.wParam = static_cast<uintptr_t>(key);
    focus_->Event(event);
}

void CWindowManagerUI::OnKeyUp(int key) {
    CControlUI* control = keyPressed_;
    keyPressed_ = nullptr;
    if (control == nullptr) {
        return;
    }
    EventRecordUI event;
    event.type = UIEVENT_KEYUP;
    event.sender = control;
    event.timestamp = Now();
    event.chKey = static_cast<char16_t>(key);
    event.wParam = static_cast<uintptr_t>(key);
    control->Event(event);
}

void CWindowManagerUI::OnChar(char16_t ch) {
    if (focus_ == nullptr) {
        return;
    }
    EventRecordUI event;
    event.type = UIEVENT_CHAR;
    event.sender = focus_;
    event.timestamp = Now();
    event.chKey = ch;
    event.wParam = ch;
    focus_->Event(event);
}

void CWindowManagerUI::OnSize(Size client) {
    clientSize_ =
        Size{std::clamp(client.cx, 0, kMaxExtentUI), std::clamp(client.cy, 0, kMaxExtentUI)};
    DispatchEvent(focus_, UIEVENT_WINDOWSIZE, mousePos_);
    if (root_ != nullptr) {
        root_->NeedUpdate();
    }
    updateNeeded_ = true;
}

bool CWindowManagerUI::OnSetCursor(Point pt) {
    CControlUI* control = FindControl(pt);
    if (control == nullptr || (control->GetControlFlags() & kControlFlagSetCursor) == 0) {
        return false;
    }
    DispatchEvent(control, UIEVENT_SETCURSOR, pt);
    return true;
}

void CWindowManagerUI::OnClose() {
    DestroyToolTipWindow();
    mouseLeaveNeeded_.clear();
    CControlUI* hovered = hover_;
    hover_ = nullptr;
    DispatchEvent(hovered, UIEVENT_MOUSELEAVE, mousePos_);
    CControlUI* captured = captured_;
    captured_ = nullptr;
    DispatchEvent(captured, UIEVENT_BUTTONUP, mousePos_);
    SetFocus(nullptr);
}

void CWindowManagerUI::SetFocus(CControlUI* control) {
    if (control == focus_) {
        return;
    }
    if (control != nullptr &&
        (control->GetManager() != this || !control->IsVisible() || !control->IsEnabled())) {
        return;
    }
    CControlUI* old = focus_;
    focus_ = nullptr;
    if (old != nullptr) {
        DispatchEvent(old, UIEVENT_KILLFOCUS, mousePos_);
        SendNotify(old, u"killfocus");
    }
    focus_ = control;
    if (control != nullptr) {
        DispatchEvent(control, UIEVENT_SETFOCUS, mousePos_);
        SendNotify(control, u"setfocus");
    }
}

}  // namespace uikit
