#include "uikit/window/MenuUI.h"

#include <algorithm>

#include "uikit/AttributeSyntax.h"
#include "uikit/TextPainter.h"
#include "uikit/controls/EventRecordUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/MenuWnd.h"

namespace uikit {

void* CMenuUI::GetInterface(std::u16string_view name) {
    return name == u"Menu" ? this : CListUI::GetInterface(name);
}

Size CMenuUI::EstimateSize(Size) {
    Size size;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (!item->IsVisible()) {
            continue;
        }
        size.cx = std::max(size.cx, item->GetFixedWidth());
        size.cy += item->GetFixedHeight();
    }
    const Rect inset = GetInset();
    size.cx += inset.left + inset.right;
    return size;
}

void* CMenuElementUI::GetInterface(std::u16string_view name) {
    return name == u"MenuElement" ? this : CListContainerElementUI::GetInterface(name);
}

void CMenuElementUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"checkitem") {
        checkItem_ = ParseBool(value);
    } else if (name == u"ischeck") {
        checked_ = ParseBool(value);
    } else if (name == u"icon" || name == u"iconsize" || name == u"linetype" ||
               name == u"expland" || name == u"linecolor" || name == u"linepadding") {
        // The program's menus use none of these; they are accepted so that markup carrying
        // them still builds.
    } else {
        CListContainerElementUI::SetAttribute(name, value);
    }
}

void CMenuElementUI::DoEvent(EventRecordUI& event) {
    if (event.type == UIEVENT_BUTTONUP) {
        if (IsEnabled() && rcItem_.Contains(event.ptMouse)) {
            OnClicked();
        }
        return;
    }
    if (event.type == UIEVENT_BUTTONDOWN || event.type == UIEVENT_RBUTTONDOWN) {
        return;  // an item acts on release, and right clicks do nothing in a menu
    }
    CListContainerElementUI::DoEvent(event);
    if (event.type == UIEVENT_MOUSEENTER && IsEnabled()) {
        Select();  // the hovered item takes the list's selected colours
    }
}

void CMenuElementUI::OnClicked() {
    if (checkItem_) {
        checked_ = !checked_;
    }
    CWindowManagerUI* owner = MenuObserver().ownerManager;
    const platform::WindowId target = owner != nullptr ? owner->GetPaintWindow() : 0;
    MenuObserver().clickedMenuName = std::u16string(GetName());
    const bool checked = checked_;
    // The menus are asked to close before the command is posted, so the owner runs the command
    // with every menu already gone; this item must not be touched after this line.
    CloseAllMenus();
    if (target != 0) {
        platform::PostWindowMessage(target, kMsgMenuCommand, 0, checked ? 1 : 0);
    }
}

void CMenuElementUI::PaintText(cairo_t* cr) {
    CListUI* list = GetOwner();
    if (list == nullptr || manager_ == nullptr || GetText().empty()) {
        return;
    }
    const ListInfoUI& info = list->GetListInfo();
    uint32_t color = info.textColor;
    if ((IsHot() || IsSelected()) && info.selectedTextColor != 0) {
        color = info.selectedTextColor;
    }
    DrawTextUI(cr, *manager_->GetFont(info.font), rcItem_, GetText(), color,
               info.textStyle | TextStyle::kSingleLine);
}

}  // namespace uikit
