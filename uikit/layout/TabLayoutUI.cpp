#include "uikit/layout/TabLayoutUI.h"

#include <algorithm>

#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

std::u16string_view CTabLayoutUI::GetClass() const {
    return u"TabLayoutUI";
}

void* CTabLayoutUI::GetInterface(std::u16string_view name) {
    return name == u"TabLayout" ? this : CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index)) {
        return false;
    }
    if (curSel_ < 0) {
        curSel_ = index;
        control->SetVisible(true);
    } else {
        if (index <= curSel_) {
            ++curSel_;
        }
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
    return RemoveAt(GetItemIndex(control));
}

bool CTabLayoutUI::RemoveAt(int index) {
    if (GetItemAt(index) == nullptr) {
        return false;
    }
    CContainerUI::RemoveAt(index);
    if (GetCount() == 0) {
        curSel_ = -1;
    } else if (index < curSel_ || curSel_ >= GetCount()) {
        curSel_ = std::max(0, curSel_ - 1);
        ShowOnly(curSel_);
    } else if (index == curSel_) {
        ShowOnly(curSel_);
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    curSel_ = -1;
    CContainerUI::RemoveAll();
}

void CTabLayoutUI::ShowOnly(int index) {
    for (int i = 0; i < GetCount(); ++i) {
        items_[static_cast<size_t>(i)]->SetVisible(i == index);
    }
}

bool CTabLayoutUI::SelectItem(int index, bool triggerEvent) {
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    if (index == curSel_) {
        return true;
    }
    const int old = curSel_;
    curSel_ = index;
    ShowOnly(index);
    if (manager_ != nullptr) {
        items_[static_cast<size_t>(index)]->SetFocus();
    }
    NeedParentUpdate();
    NeedUpdate();
    if (triggerEvent) {
        SendNotify(u"tabselect", static_cast<uintptr_t>(curSel_), old);
    }
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control, bool triggerEvent) {
    const int index = GetItemIndex(control);
    return index >= 0 && SelectItem(index, triggerEvent);
}

void CTabLayoutUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"selectedid") {
        SelectItem(ParseInt(value), false);
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CTabLayoutUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* page = items_[static_cast<size_t>(i)];
        if (!page->IsVisible()) {
            continue;
        }
        if (page->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        if (i != curSel_) {
            continue;
        }
        const Rect pad = page->GetPadding();
        const Rect room{inner.left + pad.left, inner.top + pad.top, inner.right - pad.right,
                        inner.bottom - pad.bottom};
        Size size = page->EstimateSize(Size{room.Width(), room.Height()});
        size.cx = ClampWidth(page, size.cx == 0 ? room.Width() : size.cx);
        size.cy = ClampHeight(page, size.cy == 0 ? room.Height() : size.cy);
        page->SetPos(Rect{room.left, room.top, room.left + size.cx, room.top + size.cy}, false);
    }
    ProcessScrollBar(inner, 0, 0);
}

}  // namespace uikit
