#include "ui/windows/MessageWnd.h"

#include "context/Messages.h"
#include "platform/Window.h"
#include "uikit/controls/ControlUI.h"

void CMessageWnd::InitWindow() {
    titleTips_ = m_pm.FindControl(u"titleTips");
    cancel_ = m_pm.FindControl(u"btn_cancel");
    if (titleTips_ == nullptr || messageText_.empty()) {
        return;
    }
    titleTips_->SetText(messageText_);
    if (messageText_.size() > kOneLineChars) {
        titleTips_->SetFixedHeight(kTwoLineHeight);
    }
}

void CMessageWnd::Notify(uikit::NotifyRecordUI& msg) {
    if (msg.type != u"click" || msg.sender == nullptr) {
        return;
    }
    const std::u16string_view name = msg.sender->GetName();
    if (name == u"btn_ok" && exitOnConfirm_) {
        // Hidden at once so the owner's saving is not seen behind a dialog that looks live;
        // the owner destroys it together with itself.
        ShowWindow(true, true);
        ShowWindow(false, true);
        platform::PostWindowMessage(platform::GetOwner(GetHWND()), MSG_EXIT_APP, 0, 0);
    } else if (name == u"btn_ok" || name == u"btn_cancel" || name == u"closebtn") {
        Close(1);
    }
}
