#include "uikit/layout/BoxLayoutUI.h"

#include <algorithm>

namespace uikit {

StackSlotUI CBoxLayoutUI::Measure(CControlUI* child, Size available) {
    return Vertical() ? MeasureInColumn(child, available) : MeasureInRow(child, available);
}

StackSlotUI CBoxLayoutUI::MeasureInColumn(CControlUI* child, Size available) {
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

StackSlotUI CBoxLayoutUI::MeasureInRow(CControlUI* child, Size available) {
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

int CBoxLayoutUI::CrossLeft(const StackSlotUI& slot, const Rect& inner, int width) const {
    const Rect pad = slot.child->GetPadding();
    if (childAlign_ == ChildAlign::kCenter) {
        return (inner.left + inner.right) / 2 - width / 2;
    }
    if (childAlign_ == ChildAlign::kRight) {
        return inner.right - pad.right - width;
    }
    return inner.left + pad.left - GetScrollPos().cx;
}

int CBoxLayoutUI::CrossTop(const StackSlotUI& slot, const Rect& inner, int height) const {
    const Rect pad = slot.child->GetPadding();
    if (childVAlign_ == ChildAlign::kVCenter) {
        return (inner.top + inner.bottom) / 2 - height / 2;
    }
    if (childVAlign_ == ChildAlign::kBottom) {
        return inner.bottom - pad.bottom - height;
    }
    return inner.top + pad.top - GetScrollPos().cy;
}

Rect CBoxLayoutUI::SlotRect(const StackSlotUI& slot, const Rect& inner, int at, int length) const {
    if (Vertical()) {
        const int width = std::max(slot.limit.cx, slot.child->GetMinWidth());
        const int left = CrossLeft(slot, inner, width);
        return Rect{left, at, left + width, at + length};
    }
    const int height = std::max(slot.limit.cy, slot.child->GetMinHeight());
    const int top = CrossTop(slot, inner, height);
    return Rect{at, top, at + length, top + height};
}

void CBoxLayoutUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    const Size available = AvailableSize(inner);
    const Size scroll = GetScrollPos();
    StackPlanUI plan(Vertical(), childPadding_);
    const int neededAcross = plan.AddChildren(
        items_, [&](CControlUI* child) { return Measure(child, available); },
        [this](int index) { SetFloatPos(index); });
    const int start = Vertical() ? inner.top - scroll.cy : inner.left - scroll.cx;
    const int neededAlong =
        plan.PlaceAlong(start, plan.Lengths(Vertical() ? available.cy : available.cx),
                        [&](const StackSlotUI& slot, int at, int length) {
                            slot.child->SetPos(SlotRect(slot, inner, at, length), false);
                        });
    if (Vertical()) {
        ProcessScrollBar(inner, neededAcross, neededAlong);
    } else {
        ProcessScrollBar(inner, neededAlong, neededAcross);
    }
}

}  // namespace uikit
