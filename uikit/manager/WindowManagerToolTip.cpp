// The manager's tooltip window: shown where the pointer rests on a control with a tip, gone as
// soon as the pointer moves on, a button is pressed or the window closes.
#include "platform/Window.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/manager/ToolTipWindowUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

void CWindowManagerUI::ShowToolTipWindow() {
    // While a button is held the pointer is dragging something, not asking what it rests on.
    if (window_ == 0 || toolTip_.text.empty() || captured_ != nullptr) {
        return;
    }
    if (toolTipWindow_ == nullptr) {
        toolTipWindow_ = std::make_unique<CToolTipWindowUI>();
    }
    const platform::Rect client = platform::GetWindowRect(window_);
    const platform::Point pointer{client.left + mousePos_.x, client.top + mousePos_.y};
    toolTipWindow_->Show(window_, *resources_.GetDefaultFont(), toolTip_.text, toolTip_.width,
                         pointer);
}

void CWindowManagerUI::CancelToolTip() {
    toolTip_ = ToolTipUI{};
    if (toolTipWindow_ != nullptr) {
        toolTipWindow_->Hide();
    }
}

void CWindowManagerUI::DestroyToolTipWindow() {
    toolTip_ = ToolTipUI{};
    toolTipWindow_.reset();
}

void CWindowManagerUI::OnToolTipChanged(CControlUI* control) {
    if (control == nullptr || control != hover_ || toolTip_.text.empty()) {
        return;
    }
    if (control->GetToolTip().empty()) {
        CancelToolTip();
        return;
    }
    toolTip_.text = std::u16string(control->GetToolTip());
    toolTip_.width = control->GetToolTipWidth();
    // The tip stays where it was offered; only what it says changes.
    if (toolTipWindow_ != nullptr && toolTipWindow_->IsShown()) {
        toolTipWindow_->Show(window_, *resources_.GetDefaultFont(), toolTip_.text, toolTip_.width,
                             toolTipWindow_->GetAnchor());
    }
}

}  // namespace uikit
