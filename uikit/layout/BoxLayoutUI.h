#pragma once

#include "uikit/controls/ContainerUI.h"
#include "uikit/layout/StackPlanUI.h"

namespace uikit {

// Stacks its children along one axis: fixed lengths first, the rest shared by the stretchable
// children, the last of them taking what rounding left over. Across the axis each child gets
// its own size, placed by the layout's child alignment. The markup knows it by two names, one
// per orientation (CVerticalLayoutUI, CHorizontalLayoutUI).
class CBoxLayoutUI : public CContainerUI {
  public:
    enum class Orientation { kVertical, kHorizontal };

    explicit CBoxLayoutUI(Orientation orientation) : orientation_(orientation) {}

    Orientation GetOrientation() const { return orientation_; }
    void SetPos(Rect rc, bool needInvalidate = true) override;

  private:
    bool Vertical() const { return orientation_ == Orientation::kVertical; }
    StackSlotUI Measure(CControlUI* child, Size available);
    // A column keeps every child's preferred height; a row keeps only a fixed width.
    StackSlotUI MeasureInColumn(CControlUI* child, Size available);
    StackSlotUI MeasureInRow(CControlUI* child, Size available);
    // Where a child of the plan lands, `at` and `length` along the axis.
    Rect SlotRect(const StackSlotUI& slot, const Rect& inner, int at, int length) const;
    int CrossLeft(const StackSlotUI& slot, const Rect& inner, int width) const;
    int CrossTop(const StackSlotUI& slot, const Rect& inner, int height) const;

    const Orientation orientation_;
};

}  // namespace uikit
