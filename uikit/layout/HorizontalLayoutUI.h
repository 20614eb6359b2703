#pragma once

#include "uikit/controls/ContainerUI.h"
#include "uikit/layout/StackPlanUI.h"

namespace uikit {

// Places children left to right. Only a child with a fixed width (and a non-zero preferred
// width) keeps its width; every other child stretches.
class CHorizontalLayoutUI : public CContainerUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    void SetPos(Rect rc, bool needInvalidate = true) override;

  private:
    StackSlotUI Measure(CControlUI* child, Size available);
    int CrossTop(const StackSlotUI& slot, const Rect& inner, int height) const;
};

}  // namespace uikit
