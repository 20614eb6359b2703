#pragma once

#include "uikit/controls/ContainerUI.h"
#include "uikit/layout/StackPlanUI.h"

namespace uikit {

// Stacks children top to bottom: fixed heights first, the rest shared by the stretchable ones,
// the last of them taking what rounding left over.
class CVerticalLayoutUI : public CContainerUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    void SetPos(Rect rc, bool needInvalidate = true) override;

  private:
    StackSlotUI Measure(CControlUI* child, Size available);
    int CrossLeft(const StackSlotUI& slot, const Rect& inner, int width) const;
};

}  // namespace uikit
