#include "uikit/layout/TileLayoutUI.h"

#include <algorithm>

#include "uikit/controls/ExtentUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

std::u16string_view CTileLayoutUI::GetClass() const {
    return u"TileLayoutUI";
}

void* CTileLayoutUI::GetInterface(std::u16string_view name) {
    return name == u"TileLayout" ? this : CContainerUI::GetInterface(name);
}

void CTileLayoutUI::SetItemSize(Size size) {
    itemSize_ = Size{std::max(0, ClampExtent(size.cx)), std::max(0, ClampExtent(size.cy))};
    NeedUpdate();
}

void CTileLayoutUI::SetColumns(int columns) {
    columns_ = std::clamp(columns, 0, kMaxExtentUI);
    NeedUpdate();
}

void CTileLayoutUI::SetChildVPadding(int padding) {
    childVPadding_ = ClampExtent(padding);
    NeedUpdate();
}

int CTileLayoutUI::DefaultLineSize() const {
    const int row = itemSize_.cy + childVPadding_;
    return itemSize_.cy > 0 && row > 0 ? row : CContainerUI::DefaultLineSize();
}

void CTileLayoutUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"itemsize") {
        SetItemSize(ParseSize(value));
    } else if (name == u"columns") {
        SetColumns(ParseInt(value));
    } else if (name == u"childvpadding") {
        SetChildVPadding(ParseInt(value));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CTileLayoutUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    const int w = itemSize_.cx;
    const int h = itemSize_.cy;
    int columns = columns_;
    if (columns == 0) {
        columns = w > 0 ? std::max(1, inner.Width() / w) : 1;
    }
    int gap = childPadding_;
    if (gap < 1) {
        gap = columns >= 2 ? std::max(0, (inner.Width() - columns * w) / (columns - 1)) : 0;
    }
    int shown = 0;
    for (CControlUI* child : items_) {
        shown += child->IsVisible() && !child->IsFloat() ? 1 : 0;
    }
    const int rows = shown > 0 ? (shown - 1) / columns + 1 : 0;
    const int neededHeight = rows > 0 ? rows * h + (rows - 1) * childVPadding_ : 0;

    const Size scroll = GetScrollPos();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[static_cast<size_t>(i)];
        if (!child->IsVisible()) {
            continue;
        }
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        const int cellLeft = inner.left + (i % columns) * (w + gap) - scroll.cx;
        const int cellTop = inner.top + (i / columns) * (h + childVPadding_) - scroll.cy;
        const Rect pad = child->GetPadding();
        const int width = std::max(0, std::min(w - pad.left - pad.right, child->GetMaxWidth()));
        const int height = std::max(0, std::min(h - pad.top - pad.bottom, child->GetMaxHeight()));
        int left = cellLeft + pad.left;
        if (childAlign_ == ChildAlign::kCenter) {
            left = cellLeft + (w - width) / 2;
        } else if (childAlign_ == ChildAlign::kRight) {
            left = cellLeft + w - pad.right - width;
        }
        int top = cellTop + pad.top;
        if (childVAlign_ == ChildAlign::kVCenter) {
            top = cellTop + (h - height) / 2;
        } else if (childVAlign_ == ChildAlign::kBottom) {
            top = cellTop + h - pad.bottom - height;
        }
        child->SetPos(Rect{left, top, left + width, top + height}, false);
    }
    ProcessScrollBar(inner, 0, neededHeight);
}

}  // namespace uikit
