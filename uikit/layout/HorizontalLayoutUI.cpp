#include "uikit/layout/HorizontalLayoutUI.h"

#include <algorithm>

#include "uikit/layout/StackPlanUI.h"

namespace uikit {

std::u16string_view CHorizontalLayoutUI::GetClass() const {
    return u"HorizontalLayoutUI";
}

void* CHorizontalLayoutUI::GetInterface(std::u16string_view name) {
    return name == u"HorizontalLayout" ? this : CContainerUI::GetInterface(name);
}

StackSlotUI CHorizontalLayoutUI::Measure(CControlUI* child, Size available) {
    const Rect pad = child->GetPadding();
    StackSlotUI slot{child, {}, 0, false};
    slot.limit.cx = child->GetFixedWidth() != 0 ? child->GetFixedWidth() : child->GetMaxWidth();
    slot.limit.cx = std::min(slot.limit.cx, available.cx);
    slot.limit.cy = child->GetFixedHeight() != 0 ? child->GetFixedHeight() : child->GetMaxHeight();
    slot.limit.cy = std::min(slot.limit.cy, available.cy - pad.top - pad.bottom);
    const Size preferred = child->EstimateSize(slot.limit);
    // Asked after the estimate: a label with automatic width sets its width there.
    if (child->GetFixedWidth() != 0 && preferred.cx != 0) {
        slot.length = ClampWidth(child, preferred.cx);
    } else {
        slot.stretch = true;
    }
    return slot;
}

int CHorizontalLayoutUI::CrossTop(const StackSlotUI& slot, const Rect& inner, int height) const {
    const Rect pad = slot.child->GetPadding();
    if (childVAlign_ == ChildAlign::kVCenter) {
        return (inner.top + inner.bottom) / 2 - height / 2;
    }
    if (childVAlign_ == ChildAlign::kBottom) {
        return inner.bottom - pad.bottom - height;
    }
    return inner.top + pad.top - GetScrollPos().cy;
}

void CHorizontalLayoutUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    const Size available = AvailableSize(inner);
    StackPlanUI plan(false, childPadding_);
    const int neededHeight = plan.AddChildren(
        items_, [&](CControlUI* child) { return Measure(child, available); },
        [this](int index) { SetFloatPos(index); });
    const int neededWidth =
        plan.PlaceAlong(inner.left - GetScrollPos().cx, plan.Lengths(available.cx),
                        [&](const StackSlotUI& slot, int x, int width) {
                            const int height = std::max(slot.limit.cy, slot.child->GetMinHeight());
                            const int top = CrossTop(slot, inner, height);
                            slot.child->SetPos(Rect{x, top, x + width, top + height}, false);
                        });
    ProcessScrollBar(inner, neededWidth, neededHeight);
}

}  // namespace uikit
