#include "uikit/manager/InputRouterUI.h"

#include <algorithm>

#include "uikit/controls/ControlUI.h"
#include "uikit/manager/ToolTipControllerUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

namespace {

EventRecordUI KeyEvent(CControlUI* sender, int type, char16_t key, uintptr_t wParam) {
    EventRecordUI event;
    event.type = type;
    event.sender = sender;
    event.timestamp = CWindowManagerUI::Now();
    event.chKey = key;
    event.wParam = wParam;
    return event;
}

}  // namespace

InputRouterUI::InputRouterUI(CWindowManagerUI& manager, ToolTipControllerUI& tips)
    : manager_(manager), tips_(tips) {}

void InputRouterUI::Dispatch(CControlUI* control, int type, Point pt, uintptr_t wParam) {
    if (control == nullptr || control->GetManager() != &manager_) {
        return;
    }
    EventRecordUI event;
    event.type = type;
    event.sender = control;
    event.timestamp = CWindowManagerUI::Now();
    event.ptMouse = pt;
    event.wParam = wParam;
    control->Event(event);
}

void InputRouterUI::UpdateHover(CControlUI* newHover, Point pt) {
    if (newHover == hover_) {
        return;
    }
    tips_.Cancel();  // a tip belongs to the control the pointer rested on
    CControlUI* old = hover_;
    hover_ = newHover;
    Dispatch(old, UIEVENT_MOUSELEAVE, pt);
    // The leave handler may have changed the tree; only a still-hovered control is entered.
    if (hover_ == newHover) {
        Dispatch(newHover, UIEVENT_MOUSEENTER, pt);
    }
}

void InputRouterUI::AddMouseLeaveNeeded(CControlUI* control) {
    if (std::ranges::find(mouseLeaveNeeded_, control) == mouseLeaveNeeded_.end()) {
        mouseLeaveNeeded_.push_back(control);
    }
}

void InputRouterUI::SendPendingMouseLeaves(Point pt) {
    std::vector<CControlUI*> left;
    for (CControlUI* control : mouseLeaveNeeded_) {
        if (!control->IsVisible() || !control->GetPos().Contains(pt)) {
            left.push_back(control);
        }
    }
    for (CControlUI* control : left) {
        // Each leave handler may delete other controls; only those still waiting are told.
        if (std::erase(mouseLeaveNeeded_, control) > 0) {
            Dispatch(control, UIEVENT_MOUSELEAVE, pt);
        }
    }
}

void InputRouterUI::OnMouseMove(Point pt) {
    mousePos_ = pt;
    SendPendingMouseLeaves(pt);
    CControlUI* under = manager_.FindControl(pt);
    if (under != nullptr && under->GetManager() != &manager_) {
        return;
    }
    UpdateHover(under, pt);
    Dispatch(captured_ != nullptr ? captured_ : hover_, UIEVENT_MOUSEMOVE, pt);
}

CControlUI* InputRouterUI::PressTarget(Point pt) {
    mousePos_ = pt;
    tips_.Cancel();
    CControlUI* control = manager_.FindControl(pt);
    // A control of another window's tree is not this window's to press.
    return control != nullptr && control->GetManager() == &manager_ ? control : nullptr;
}

void InputRouterUI::OnLButtonDown(Point pt) {
    CControlUI* control = PressTarget(pt);
    if (control == nullptr) {
        return;
    }
    captured_ = control;
    SetFocus(control);
    Dispatch(captured_, UIEVENT_BUTTONDOWN, pt);
}

void InputRouterUI::OnLButtonUp(Point pt) {
    mousePos_ = pt;
    CControlUI* control = captured_;
    captured_ = nullptr;
    Dispatch(control, UIEVENT_BUTTONUP, pt);
}

void InputRouterUI::OnLButtonDblClk(Point pt) {
    CControlUI* control = PressTarget(pt);
    if (control == nullptr) {
        return;
    }
    captured_ = control;
    Dispatch(control, UIEVENT_DBLCLICK, pt);
}

void InputRouterUI::OnRButtonDown(Point pt) {
    CControlUI* control = PressTarget(pt);
    if (control == nullptr) {
        return;
    }
    SetFocus(control);
    Dispatch(control, UIEVENT_RBUTTONDOWN, pt);
}

void InputRouterUI::OnMouseWheel(Point pt, int delta) {
    mousePos_ = pt;
    tips_.Cancel();  // the page moves under the tip
    Dispatch(manager_.FindControl(pt), UIEVENT_SCROLLWHEEL, pt, delta > 0 ? 0 : 1);
    // Scrolling moved the controls under a pointer that stayed put.
    OnMouseMove(pt);
}

void InputRouterUI::OnMouseHover(Point pt) {
    mousePos_ = pt;
    CControlUI* hovered = hover_;
    Dispatch(hovered, UIEVENT_MOUSEHOVER, pt);
    if (hovered != nullptr && hovered == hover_) {
        // While a button is held the pointer is dragging something, not asking what it rests
        // on: the tip is known but not shown.
        tips_.Offer(*hovered, pt, captured_ == nullptr);
    }
}

void InputRouterUI::OnContextMenu(Point pt) {
    Dispatch(manager_.FindControl(pt), UIEVENT_CONTEXTMENU, pt);
}

void InputRouterUI::OnKeyDown(int key, uint32_t keyState) {
    keyPressed_ = focus_;
    tips_.Cancel();  // a person typing is done reading the tip
    if (focus_ == nullptr) {
        return;
    }
    EventRecordUI event =
        KeyEvent(focus_, UIEVENT_KEYDOWN, static_cast<char16_t>(key), static_cast<uintptr_t>(key));
    event.ptMouse = mousePos_;
    event.keyState = keyState;
    focus_->Event(event);
}

void InputRouterUI::OnKeyUp(int key) {
    CControlUI* control = keyPressed_;
    keyPressed_ = nullptr;
    if (control == nullptr) {
        return;
    }
    EventRecordUI event =
        KeyEvent(control, UIEVENT_KEYUP, static_cast<char16_t>(key), static_cast<uintptr_t>(key));
    control->Event(event);
}

void InputRouterUI::OnChar(char16_t ch) {
    if (focus_ == nullptr) {
        return;
    }
    EventRecordUI event = KeyEvent(focus_, UIEVENT_CHAR, ch, ch);
    focus_->Event(event);
}

bool InputRouterUI::OnSetCursor(Point pt) {
    CControlUI* control = manager_.FindControl(pt);
    if (control == nullptr || (control->GetControlFlags() & kControlFlagSetCursor) == 0) {
        return false;
    }
    Dispatch(control, UIEVENT_SETCURSOR, pt);
    return true;
}

void InputRouterUI::OnClose() {
    mouseLeaveNeeded_.clear();
    CControlUI* hovered = hover_;
    hover_ = nullptr;
    Dispatch(hovered, UIEVENT_MOUSELEAVE, mousePos_);
    CControlUI* captured = captured_;
    captured_ = nullptr;
    Dispatch(captured, UIEVENT_BUTTONUP, mousePos_);
    SetFocus(nullptr);
}

void InputRouterUI::OnMouseLeaveWindow() {
    SendPendingMouseLeaves(Point{-1, -1});
    UpdateHover(nullptr, mousePos_);
}

void InputRouterUI::SetFocus(CControlUI* control) {
    if (control == focus_) {
        return;
    }
    if (control != nullptr &&
        (control->GetManager() != &manager_ || !control->IsVisible() || !control->IsEnabled())) {
        return;
    }
    CControlUI* old = focus_;
    focus_ = nullptr;
    if (old != nullptr) {
        Dispatch(old, UIEVENT_KILLFOCUS, mousePos_);
        manager_.SendNotify(old, u"killfocus");
    }
    focus_ = control;
    if (control != nullptr) {
        Dispatch(control, UIEVENT_SETFOCUS, mousePos_);
        manager_.SendNotify(control, u"setfocus");
    }
}

void InputRouterUI::DropTargets() {
    hover_ = captured_ = focus_ = keyPressed_ = nullptr;
}

void InputRouterUI::Forget(const CControlUI* control) {
    for (CControlUI** slot : {&hover_, &captured_, &focus_, &keyPressed_}) {
        if (*slot == control) {
            *slot = nullptr;
        }
    }
    if (hover_ == nullptr) {
        tips_.Cancel();
    }
    std::erase(mouseLeaveNeeded_, control);
}

}  // namespace uikit
