#include "uikit/manager/ToolTipControllerUI.h"

#include "platform/Window.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/manager/ToolTipWindowUI.h"
#include "uikit/resources/ResourceTablesUI.h"

namespace uikit {

ToolTipControllerUI::ToolTipControllerUI(const ResourceTablesUI& resources)
    : resources_(resources) {}

ToolTipControllerUI::~ToolTipControllerUI() = default;

void ToolTipControllerUI::Bind(platform::WindowId window) {
    // The tip window is owned by the window bound so far.
    if (window != window_) {
        Destroy();
    }
    window_ = window;
}

void ToolTipControllerUI::Offer(const CControlUI& control, Point pointer, bool show) {
    if (control.GetToolTip().empty()) {
        return;
    }
    tip_ = Tip{std::u16string(control.GetToolTip()), control.GetToolTipWidth(), control.GetPos()};
    if (show) {
        ShowWindow(pointer);
    }
}

void ToolTipControllerUI::ShowWindow(Point pointer) {
    // A disabled window waits for a modal one over it: a tip of its own would cover that.
    if (window_ == 0 || !platform::IsWindowEnabled(window_)) {
        return;
    }
    if (tipWindow_ == nullptr) {
        tipWindow_ = std::make_unique<CToolTipWindowUI>();
    }
    const platform::Rect client = platform::GetWindowRect(window_);
    const platform::Point screen{client.left + pointer.x, client.top + pointer.y};
    tipWindow_->Show(window_, *resources_.GetDefaultFont(), tip_.text, tip_.width, screen);
}

void ToolTipControllerUI::OnChanged(const CControlUI& control) {
    if (tip_.text.empty()) {
        return;
    }
    if (control.GetToolTip().empty()) {
        Cancel();
        return;
    }
    tip_.text = std::u16string(control.GetToolTip());
    tip_.width = control.GetToolTipWidth();
    // The tip stays where it was offered; only what it says changes.
    if (tipWindow_ != nullptr && tipWindow_->IsShown()) {
        tipWindow_->Show(window_, *resources_.GetDefaultFont(), tip_.text, tip_.width,
                         tipWindow_->GetAnchor());
    }
}

void ToolTipControllerUI::Cancel() {
    tip_ = Tip{};
    if (tipWindow_ != nullptr) {
        tipWindow_->Hide();
    }
}

void ToolTipControllerUI::Destroy() {
    tip_ = Tip{};
    tipWindow_.reset();
}

}  // namespace uikit
