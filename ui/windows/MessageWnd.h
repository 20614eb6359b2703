#pragma once

#include <string>

#include "uikit/window/WindowImplBase.h"

namespace uikit {
class CControlUI;
}

// The skin's message box: the quit confirmation (its OK ends the program through the owner)
// or a plain notice (its OK just closes it).
class CMessageWnd : public uikit::WindowImplBase {
  public:
    // Longer texts get two lines.
    static constexpr size_t kOneLineChars = 15;
    static constexpr int kTwoLineHeight = 81;

    CMessageWnd(std::u16string messageText, bool exitOnConfirm)
        : messageText_(std::move(messageText)), exitOnConfirm_(exitOnConfirm) {}

    // RunOver returns once the window is gone or, confirmed, hidden and waiting for its owner
    // to end.

    void Notify(uikit::NotifyRecordUI& msg) override;

  protected:
    std::string GetWindowClassName() const override { return "MessageWnd"; }
    std::u16string GetSkinFile() const override { return u"MessageWnd.xml"; }
    void InitWindow() override;

  private:
    std::u16string messageText_;
    bool exitOnConfirm_ = false;
    uikit::CControlUI* titleTips_ = nullptr;
    uikit::CControlUI* cancel_ = nullptr;
};
