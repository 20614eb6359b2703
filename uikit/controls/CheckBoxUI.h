#pragma once

#include "uikit/controls/OptionUI.h"

namespace uikit {

// An option without a group: every click toggles it, after "click" was sent, so a handler of
// the click still reads the old state.
class CCheckBoxUI : public COptionUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    bool Activate() override;

    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool notify = true) { Selected(check, notify); }
};

}  // namespace uikit
