#include "uikit/controls/ListUI.h"

#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

CListContainerElementUI* AsElement(CControlUI* control) {
    return control == nullptr
               ? nullptr
               : static_cast<CListContainerElementUI*>(control->GetInterface(u"ListItem"));
}

}  // namespace

std::u16string_view CListUI::GetClass() const {
    return u"ListUI";
}

void* CListUI::GetInterface(std::u16string_view name) {
    return name == u"List" ? this : CVerticalLayoutUI::GetInterface(name);
}

bool CListUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (!CVerticalLayoutUI::AddAt(control, index)) {
        return false;
    }
    if (curSel_ >= index) {
        ++curSel_;
    }
    Renumber();
    return true;
}

bool CListUI::Remove(CControlUI* control) {
    return RemoveAt(GetItemIndex(control));
}

bool CListUI::RemoveAt(int index) {
    if (CListContainerElementUI* element = AsElement(GetItemAt(index))) {
        element->SetOwner(nullptr);
    }
    if (!CVerticalLayoutUI::RemoveAt(index)) {
        return false;
    }
    if (index == curSel_) {
        curSel_ = -1;
    } else if (index < curSel_) {
        --curSel_;
    }
    Renumber();
    return true;
}

void CListUI::RemoveAll() {
    for (CControlUI* item : items_) {
        if (CListContainerElementUI* element = AsElement(item)) {
            element->SetOwner(nullptr);
        }
    }
    curSel_ = -1;
    CVerticalLayoutUI::RemoveAll();
}

void CListUI::Renumber() {
    for (int i = 0; i < GetCount(); ++i) {
        if (CListContainerElementUI* element = AsElement(items_[static_cast<size_t>(i)])) {
            element->SetOwner(this);
            element->SetIndex(i);
        }
    }
}

bool CListUI::SelectItem(int index, bool takeFocus, bool triggerEvent) {
    if (index == curSel_) {
        return true;
    }
    CListContainerElementUI* element = AsElement(GetItemAt(index));
    if (element == nullptr || !element->IsVisible() || !element->IsEnabled()) {
        return false;
    }
    const int old = curSel_;
    if (CListContainerElementUI* previous = AsElement(GetItemAt(old))) {
        previous->SetSelectedState(false);
    }
    curSel_ = index;
    element->SetSelectedState(true);
    if (takeFocus) {
        element->SetFocus();
    }
    if (triggerEvent) {
        SendNotify(u"itemselect", static_cast<uintptr_t>(curSel_), old);
    }
    return true;
}

void CListUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"header") {
        headerVisible_ = value != u"hidden";
    } else if (name == u"itemfont") {
        info_.font = ParseInt(value);
    } else if (name == u"itemalign") {
        info_.textStyle &= ~(TextStyle::kCenter | TextStyle::kRight);
        info_.textStyle |= value == u"center"  ? TextStyle::kCenter
                           : value == u"right" ? TextStyle::kRight
                                               : TextStyle::kLeft;
    } else if (name == u"itemvalign") {
        info_.textStyle &= ~(TextStyle::kVCenter | TextStyle::kBottom);
        info_.textStyle |= value == u"vcenter"  ? TextStyle::kVCenter
                           : value == u"bottom" ? TextStyle::kBottom
                                                : TextStyle::kTop;
    } else if (name == u"itemtextpadding") {
        info_.textPadding = ParseRect(value);
    } else if (name == u"itemtextcolor") {
        info_.textColor = ParseColor(value);
    } else if (name == u"itembkcolor") {
        info_.bkColor = ParseColor(value);
    } else if (name == u"itemselectedtextcolor") {
        info_.selectedTextColor = ParseColor(value);
    } else if (name == u"itemselectedbkcolor") {
        info_.selectedBkColor = ParseColor(value);
    } else if (name == u"itemhottextcolor") {
        info_.hotTextColor = ParseColor(value);
    } else if (name == u"itemhotbkcolor") {
        info_.hotBkColor = ParseColor(value);
    } else if (name == u"itemdisabledtextcolor") {
        info_.disabledTextColor = ParseColor(value);
    } else if (name == u"itemdisabledbkcolor") {
        info_.disabledBkColor = ParseColor(value);
    } else if (name == u"itemhlinesize") {
        info_.hLineSize = ParseInt(value);
    } else if (name == u"itemhlinecolor") {
        info_.hLineColor = ParseColor(value);
    } else if (name == u"itemshowrowline") {
        info_.showRowLine = ParseBool(value);
    } else if (name == u"itemlinecolor") {
        info_.rowLineColor = ParseColor(value);
    } else if (name == u"itemshowhtml") {
        info_.showHtml = ParseBool(value);
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

}  // namespace uikit
