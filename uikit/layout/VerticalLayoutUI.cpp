#include "uikit/layout/VerticalLayoutUI.h"

#include <algorithm>

#include "uikit/layout/StackPlanUI.h"

namespace uikit {

std::u16string_view CVerticalLayoutUI::GetClass() const {
    return u"VerticalLayoutUI";
}

void* CVerticalLayoutUI::GetInterface(std::u16string_view name) {
    return name == u"VerticalLayout" ? this : CContainerUI::GetInterface(name);
}

StackSlotUI CVerticalLayoutUI::Measure(CControlUI* child, Size available) {
    const Rect pad = child->GetPadding();
    StackSlotUI slot{child, {}, 0, false};
    const int room = available.cx - pad.left - pad.right;
    slot.limit.cx = child->GetFixedWidth() != 0 ? child->GetFixedWidth() : child->GetMaxWidth();
    slot.limit.cx = std::min(slot.limit.cx, room);
    slot.limit.cy = child->GetFixedHeight() != 0 ? child->GetFixedHeight() : child->GetMaxHeight();
    slot.limit.cy = std::min(slot.limit.cy, available.cy);
    const Size preferred = child->EstimateSize(slot.limit);
    // A label with automatic width learns its width from the estimate.
    if (child->GetFixedWidth() != 0) {
        slot.limit.cx = std::min(child->GetFixedWidth(), room);
    }
    if (preferred.cy == 0) {
        slot.stretch = true;
    } else {
        slot.length = ClampHeight(child, preferred.cy);
    }
    return slot;
}

int CVerticalLayoutUI::CrossLeft(const StackSlotUI& slot, const Rect& inner, int width) const {
    const Rect pad = slot.child->GetPadding();
    if (childAlign_ == ChildAlign::kCenter) {
        return (inner.left + inner.right) / 2 - width / 2;
    }
    if (childAlign_ == ChildAlign::kRight) {
        return inner.right - pad.right - width;
    }
    return inner.left + pad.left - GetScrollPos().cx;
}

void CVerticalLayoutUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    const Size available = AvailableSize(inner);
    StackPlanUI plan(true, childPadding_);
    const int neededWidth = plan.AddChildren(
        items_, [&](CControlUI* child) { return Measure(child, available); },
        [this](int index) { SetFloatPos(index); });
    const int neededHeight =
        plan.PlaceAlong(inner.top - GetScrollPos().cy, plan.Lengths(available.cy),
                        [&](const StackSlotUI& slot, int y, int height) {
                            const int width = std::max(slot.limit.cx, slot.child->GetMinWidth());
                            const int left = CrossLeft(slot, inner, width);
                            slot.child->SetPos(Rect{left, y, left + width, y + height}, false);
                        });
    ProcessScrollBar(inner, neededWidth, neededHeight);
}

}  // namespace uikit
