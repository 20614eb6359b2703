#include "uikit/layout/VerticalLayoutUI.h"

#include <algorithm>
#include <vector>

namespace uikit {

namespace {

struct Slot {
    CControlUI* child = nullptr;
    Size limit;  // width and height limits of the first pass
    int height = 0;
    bool stretch = false;
};

}  // namespace

std::u16string_view CVerticalLayoutUI::GetClass() const {
    return u"VerticalLayoutUI";
}

void* CVerticalLayoutUI::GetInterface(std::u16string_view name) {
    return name == u"VerticalLayout" ? this : CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    const Size available = AvailableSize(inner);

    std::vector<Slot> slots;
    int fixedTotal = 0;
    int stretchCount = 0;
    int neededWidth = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[static_cast<size_t>(i)];
        if (!child->IsVisible()) {
            continue;
        }
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        const Rect pad = child->GetPadding();
        Slot slot{child, {}, 0, false};
        slot.limit.cx = child->GetFixedWidth() != 0 ? child->GetFixedWidth() : child->GetMaxWidth();
        slot.limit.cx = std::min(slot.limit.cx, available.cx - pad.left - pad.right);
        slot.limit.cy =
            child->GetFixedHeight() != 0 ? child->GetFixedHeight() : child->GetMaxHeight();
        slot.limit.cy = std::min(slot.limit.cy, available.cy);
        const Size preferred = child->EstimateSize(slot.limit);
        // A label with automatic width learns its width from the estimate.
        if (child->GetFixedWidth() != 0) {
            slot.limit.cx = std::min(child->GetFixedWidth(), available.cx - pad.left - pad.right);
        }
        if (preferred.cy == 0) {
            slot.stretch = true;
            ++stretchCount;
        } else {
            slot.height = ClampHeight(child, preferred.cy);
        }
        fixedTotal += slot.height + pad.top + pad.bottom;
        neededWidth = std::max(neededWidth, slot.limit.cx + pad.left + pad.right);
        slots.push_back(slot);
    }
    if (!slots.empty()) {
        fixedTotal += childPadding_ * (static_cast<int>(slots.size()) - 1);
    }
    const int share =
        stretchCount > 0 ? std::max(0, (available.cy - fixedTotal) / stretchCount) : 0;

    // Second pass: what the fixed children after this one still need, for the last stretcher.
    int remainingFixed = fixedTotal;
    int stretchSeen = 0;
    int y = inner.top - GetScrollPos().cy;
    int neededHeight = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        const Slot& slot = slots[i];
        CControlUI* child = slot.child;
        const Rect pad = child->GetPadding();
        y += pad.top;
        int height = slot.height;
        if (slot.stretch) {
            ++stretchSeen;
            height = share;
            if (stretchSeen == stretchCount) {
                height = std::max(0, available.cy - (y - (inner.top - GetScrollPos().cy)) -
                                         (remainingFixed - pad.top));
            }
            height = ClampHeight(child, height);
        }
        remainingFixed -= slot.height + pad.top + pad.bottom;
        if (i + 1 < slots.size()) {
            remainingFixed -= childPadding_;
        }
        const int width = std::max(slot.limit.cx, child->GetMinWidth());
        int left = inner.left + pad.left - GetScrollPos().cx;
        if (childAlign_ == ChildAlign::kCenter) {
            left = (inner.left + inner.right) / 2 - width / 2;
        } else if (childAlign_ == ChildAlign::kRight) {
            left = inner.right - pad.right - width;
        }
        child->SetPos(Rect{left, y, left + width, y + height}, false);
        y += height + pad.bottom + childPadding_;
        neededHeight += height + pad.top + pad.bottom;
    }
    if (!slots.empty()) {
        neededHeight += childPadding_ * (static_cast<int>(slots.size()) - 1);
    }
    ProcessScrollBar(inner, neededWidth, neededHeight);
}

}  // namespace uikit
