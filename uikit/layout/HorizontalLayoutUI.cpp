#include "uikit/layout/HorizontalLayoutUI.h"

#include <algorithm>
#include <vector>

namespace uikit {

namespace {

struct Slot {
    CControlUI* child = nullptr;
    Size limit;
    int width = 0;
    bool stretch = false;
};

}  // namespace

std::u16string_view CHorizontalLayoutUI::GetClass() const {
    return u"HorizontalLayoutUI";
}

void* CHorizontalLayoutUI::GetInterface(std::u16string_view name) {
    return name == u"HorizontalLayout" ? this : CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    const Size available = AvailableSize(inner);

    std::vector<Slot> slots;
    int fixedTotal = 0;
    int stretchCount = 0;
    int neededHeight = 0;
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
        slot.limit.cx = std::min(slot.limit.cx, available.cx);
        slot.limit.cy =
            child->GetFixedHeight() != 0 ? child->GetFixedHeight() : child->GetMaxHeight();
        slot.limit.cy = std::min(slot.limit.cy, available.cy - pad.top - pad.bottom);
        const Size preferred = child->EstimateSize(slot.limit);
        // Asked after the estimate: a label with automatic width sets its width there.
        if (child->GetFixedWidth() != 0 && preferred.cx != 0) {
            slot.width = ClampWidth(child, preferred.cx);
        } else {
            slot.stretch = true;
            ++stretchCount;
        }
        fixedTotal += slot.width + pad.left + pad.right;
        neededHeight = std::max(neededHeight, slot.limit.cy + pad.top + pad.bottom);
        slots.push_back(slot);
    }
    if (!slots.empty()) {
        fixedTotal += childPadding_ * (static_cast<int>(slots.size()) - 1);
    }
    const int share =
        stretchCount > 0 ? std::max(0, (available.cx - fixedTotal) / stretchCount) : 0;

    const int start = inner.left - GetScrollPos().cx;
    int remainingFixed = fixedTotal;
    int stretchSeen = 0;
    int x = start;
    int neededWidth = 0;
    for (size_t i = 0; i < slots.size(); ++i) {
        const Slot& slot = slots[i];
        CControlUI* child = slot.child;
        const Rect pad = child->GetPadding();
        x += pad.left;
        int width = slot.width;
        if (slot.stretch) {
            ++stretchSeen;
            width = share;
            if (stretchSeen == stretchCount) {
                width = std::max(0, available.cx - (x - start) - (remainingFixed - pad.left));
            }
            width = ClampWidth(child, width);
        }
        remainingFixed -= slot.width + pad.left + pad.right;
        if (i + 1 < slots.size()) {
            remainingFixed -= childPadding_;
        }
        const int height = std::max(slot.limit.cy, child->GetMinHeight());
        int top = inner.top + pad.top - GetScrollPos().cy;
        if (childVAlign_ == ChildAlign::kVCenter) {
            top = (inner.top + inner.bottom) / 2 - height / 2;
        } else if (childVAlign_ == ChildAlign::kBottom) {
            top = inner.bottom - pad.bottom - height;
        }
        child->SetPos(Rect{x, top, x + width, top + height}, false);
        x += width + pad.right + childPadding_;
        neededWidth += width + pad.left + pad.right;
    }
    if (!slots.empty()) {
        neededWidth += childPadding_ * (static_cast<int>(slots.size()) - 1);
    }
    ProcessScrollBar(inner, neededWidth, neededHeight);
}

}  // namespace uikit
