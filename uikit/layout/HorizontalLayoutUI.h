#pragma once

#include "uikit/layout/BoxLayoutUI.h"

namespace uikit {

// A box layout that places its children left to right. Only a child with a fixed width (and a
// non-zero preferred width) keeps its width; every other child stretches.
class CHorizontalLayoutUI : public CBoxLayoutUI {
  public:
    CHorizontalLayoutUI() : CBoxLayoutUI(Orientation::kHorizontal) {}

    std::u16string_view GetClass() const override { return u"HorizontalLayoutUI"; }
    void* GetInterface(std::u16string_view name) override {
        return name == u"HorizontalLayout" ? this : CContainerUI::GetInterface(name);
    }
};

}  // namespace uikit
