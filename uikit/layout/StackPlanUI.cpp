#include "uikit/layout/StackPlanUI.h"

#include <algorithm>

#include "uikit/controls/ControlUI.h"

namespace uikit {

bool StackPlanUI::Hidden(const CControlUI* child) const {
    return !child->IsVisible();
}

bool StackPlanUI::Floats(const CControlUI* child) const {
    return child->IsFloat();
}

int StackPlanUI::CrossExtent(const StackSlotUI& slot) const {
    const Rect pad = slot.child->GetPadding();
    return vertical_ ? slot.limit.cx + pad.left + pad.right : slot.limit.cy + pad.top + pad.bottom;
}

void StackPlanUI::Add(const StackSlotUI& slot) {
    slots_.push_back(slot);
    stretchCount_ += slot.stretch ? 1 : 0;
}

int StackPlanUI::PadBefore(const CControlUI* child) const {
    return vertical_ ? child->GetPadding().top : child->GetPadding().left;
}

int StackPlanUI::PadAfter(const CControlUI* child) const {
    return vertical_ ? child->GetPadding().bottom : child->GetPadding().right;
}

int StackPlanUI::Clamp(const CControlUI* child, int length) const {
    const int low = vertical_ ? child->GetMinHeight() : child->GetMinWidth();
    const int high = vertical_ ? child->GetMaxHeight() : child->GetMaxWidth();
    return std::max(low, std::min(length, high));
}

int StackPlanUI::FixedTotal() const {
    int total = 0;
    for (const StackSlotUI& slot : slots_) {
        total += slot.length + PadBefore(slot.child) + PadAfter(slot.child);
    }
    if (!slots_.empty()) {
        total += padding_ * (static_cast<int>(slots_.size()) - 1);
    }
    return total;
}

std::vector<int> StackPlanUI::Lengths(int available) const {
    const int fixedTotal = FixedTotal();
    const int share = stretchCount_ > 0 ? std::max(0, (available - fixedTotal) / stretchCount_) : 0;
    std::vector<int> lengths;
    int remaining = fixedTotal;  // what the slots from here on take, their own stretch aside
    int used = 0;
    int stretchSeen = 0;
    for (size_t i = 0; i < slots_.size(); ++i) {
        const StackSlotUI& slot = slots_[i];
        const int before = PadBefore(slot.child);
        const int after = PadAfter(slot.child);
        const int gap = i + 1 < slots_.size() ? padding_ : 0;
        used += before;
        int length = slot.length;
        if (slot.stretch) {
            length = ++stretchSeen == stretchCount_
                         ? std::max(0, available - used - (remaining - before))
                         : share;
            length = Clamp(slot.child, length);
        }
        remaining -= slot.length + before + after + gap;
        used += length + after + gap;
        lengths.push_back(length);
    }
    return lengths;
}

}  // namespace uikit
