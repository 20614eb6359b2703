#include "uikit/window/MenuUI.h"

#include <algorithm>

#include "platform/WindowPost.h"
#include "uikit/controls/EventRecordUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"
#include "uikit/window/MenuWnd.h"

namespace uikit {

namespace {

// The marks left of the text: a gap before the first, and between each and what follows.
constexpr int kMarkEdge = 8;
constexpr int kMarkGap = 6;
constexpr int kCheckWidth = 14;
constexpr int kArrowWidth = 20;

// Attributes that place or name one menu rather than describe how menus look.
bool IsLookAttribute(std::u16string_view name) {
    return name != u"name" && name != u"pos" && name != u"float" && name != u"width" &&
           name != u"height" && name != u"visible";
}

CMenuElementUI* AsMenuElement(CControlUI* control) {
    return control == nullptr ? nullptr
                              : static_cast<CMenuElementUI*>(control->GetInterface(u"MenuElement"));
}

}  // namespace

void* CMenuUI::GetInterface(std::u16string_view name) {
    return name == u"Menu" ? this : CListUI::GetInterface(name);
}

void CMenuUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (IsLookAttribute(name)) {
        look_.emplace_back(name, value);
    }
    CListUI::SetAttribute(name, value);
}

void CMenuUI::CopyLookFrom(const CMenuUI& other) {
    for (const auto& [name, value] : other.look_) {
        SetAttribute(name, value);
    }
}

Size CMenuUI::EstimateSize(Size available) {
    const Rect inset = GetInset();
    const Size room{available.cx - inset.left - inset.right,
                    available.cy - inset.top - inset.bottom};
    Size size;
    int shown = 0;
    for (CControlUI* item : items_) {
        if (!item->IsVisible() || item->IsFloat()) {
            continue;
        }
        const Size preferred = item->EstimateSize(room);
        const Rect padding = item->GetPadding();
        size.cx = std::max(size.cx, preferred.cx + padding.left + padding.right);
        size.cy += preferred.cy + padding.top + padding.bottom;
        ++shown;
    }
    if (shown > 1) {
        size.cy += GetChildPadding() * (shown - 1);
    }
    size.cx = GetFixedWidth() > 0 ? GetFixedWidth() : size.cx + inset.left + inset.right;
    size.cy = GetFixedHeight() > 0 ? GetFixedHeight() : size.cy + inset.top + inset.bottom;
    return size;
}

MenuColumnsUI CMenuUI::Columns() const {
    bool checks = false;
    bool arrows = false;
    int iconWidth = 0;
    for (CControlUI* item : items_) {
        const CMenuElementUI* element = AsMenuElement(item);
        if (element == nullptr || !element->IsVisible() || element->IsSeparator()) {
            continue;
        }
        checks = checks || element->IsCheckItem();
        arrows = arrows || element->HasSubMenu();
        if (element->HasIcon()) {
            iconWidth = std::max(iconWidth, element->GetIconSize().cx);
        }
    }
    MenuColumnsUI columns;
    int x = kMarkEdge;
    if (checks) {
        columns.checkLeft = x;
        columns.checkWidth = kCheckWidth;
        x += kCheckWidth + kMarkGap;
    }
    if (iconWidth > 0) {
        columns.iconLeft = x;
        x += iconWidth + kMarkGap;
    }
    // A menu of plain items keeps its text where the list's alignment puts it.
    columns.textLeft = checks || iconWidth > 0 ? x : 0;
    columns.arrowWidth = arrows ? kArrowWidth : 0;
    return columns;
}

CMenuElementUI::~CMenuElementUI() {
    // An open sub-menu hands the items back at once; only then are they this item's to delete.
    if (subMenu_ != nullptr) {
        subMenu_->RequestClose();
    }
    for (CMenuElementUI* item : subItems_) {
        delete item;
    }
}

void* CMenuElementUI::GetInterface(std::u16string_view name) {
    return name == u"MenuElement" ? this : CListContainerElementUI::GetInterface(name);
}

CMenuUI* CMenuElementUI::GetMenu() const {
    CListUI* list = GetOwner();
    return list != nullptr ? static_cast<CMenuUI*>(list->GetInterface(u"Menu")) : nullptr;
}

void CMenuElementUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"checkitem") {
        checkItem_ = ParseBool(value);
    } else if (name == u"ischeck") {
        checked_ = ParseBool(value);
    } else if (name == u"icon") {
        icon_.Set(value);
    } else if (name == u"iconsize") {
        iconSize_ = ParseSize(value);
    } else if (name == u"linetype") {
        separator_ = ParseBool(value);
        // A separator is never hovered, clicked or focused: the pointer finds the menu instead.
        SetMouseEnabled(!separator_);
        SetKeyboardEnabled(!separator_);
    } else if (name == u"linecolor") {
        lineColor_ = ParseColor(value);
    } else if (name == u"linepadding") {
        linePadding_ = ParseRect(value);
    } else if (name == u"expland") {
        // The child items make the sub-menu; the marker is accepted as markup writes it.
    } else {
        CListContainerElementUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

bool CMenuElementUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CMenuElementUI::AddAt(CControlUI* control, int index) {
    CMenuElementUI* item = AsMenuElement(control);
    if (item == nullptr) {
        return CListContainerElementUI::AddAt(control, index);
    }
    // Kept out of this item's window until its sub-menu shows them.
    subItems_.push_back(item);
    item->SetManager(nullptr, this, false);
    return true;
}

void CMenuElementUI::SetChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        Invalidate();
    }
}

void CMenuElementUI::DoEvent(EventRecordUI& event) {
    switch (event.type) {
        case UIEVENT_BUTTONUP:
            if (IsEnabled() && !separator_ && rcItem_.Contains(event.ptMouse)) {
                OnClicked();
            }
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN:
        case UIEVENT_CONTEXTMENU:
            return;  // an item acts on release, and right clicks do nothing in a menu
        default:
            break;
    }
    if (separator_ && event.type != UIEVENT_TIMER) {
        return;
    }
    CListContainerElementUI::DoEvent(event);
    if (event.type == UIEVENT_MOUSEENTER && IsEnabled()) {
        OnHovered();
    }
}

void CMenuElementUI::OnHovered() {
    Select();  // the hovered item takes the list's selected colours
    if (CMenuWnd* menu = CMenuWnd::FromManager(manager_)) {
        menu->OnItemHovered(this);
    }
}

void CMenuElementUI::OnClicked() {
    if (HasSubMenu()) {
        // Not a command: the entry only shows its items.
        if (CMenuWnd* menu = CMenuWnd::FromManager(manager_)) {
            menu->OpenSubMenu(this);
        }
        return;
    }
    if (checkItem_) {
        checked_ = !checked_;
        RecordCheckState();
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

void CMenuElementUI::RecordCheckState() const {
    MenuCheckStates* states = MenuObserver().checkStates;
    if (states != nullptr && !GetName().empty()) {
        (*states)[std::u16string(GetName())] = checked_;
    }
}

}  // namespace uikit
