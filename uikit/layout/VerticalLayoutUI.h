#pragma once

#include "uikit/layout/BoxLayoutUI.h"

namespace uikit {

// A box layout that stacks its children top to bottom.
class CVerticalLayoutUI : public CBoxLayoutUI {
  public:
    CVerticalLayoutUI() : CBoxLayoutUI(Orientation::kVertical) {}

    std::u16string_view GetClass() const override { return u"VerticalLayoutUI"; }
    void* GetInterface(std::u16string_view name) override {
        return name == u"VerticalLayout" ? this : CContainerUI::GetInterface(name);
    }
};

}  // namespace uikit
