// Sub-menus: a menu item's child items shown in a menu window of their own beside the item.
// The items stay the item's; the sub-menu's list only borrows them while it is open.
#include <algorithm>
#include <ranges>

#include "platform/Window.h"
#include "uikit/window/MenuUI.h"
#include "uikit/window/MenuWnd.h"

namespace uikit {

void CMenuWnd::CloseWithSubMenus() {
    std::vector<CMenuWnd*>& menus = MenuObserver().menus;
    const auto self = std::ranges::find(menus, this);
    if (self == menus.end()) {
        RequestClose();
        return;
    }
    // Every menu opened from this one came after it; the innermost goes first.
    const std::vector<CMenuWnd*> closing(self, menus.end());
    for (CMenuWnd* menu : std::views::reverse(closing)) {
        menu->RequestClose();
    }
}

CMenuWnd* CMenuWnd::OpenChild() const {
    for (CMenuWnd* menu : MenuObserver().menus) {
        if (!menu->closing_ && menu->ownerElement_ != nullptr &&
            menu->ownerElement_->GetManager() == &m_pm) {
            return menu;
        }
    }
    return nullptr;
}

void CMenuWnd::OnItemHovered(CMenuElementUI* item) {
    if (closing_) {
        return;
    }
    CMenuWnd* child = OpenChild();
    if (child != nullptr && child->ownerElement_ == item) {
        return;
    }
    if (child != nullptr) {
        child->CloseWithSubMenus();
    }
    if (item->HasSubMenu()) {
        OpenSubMenu(item);
    }
}

CMenuWnd* CMenuWnd::OpenSubMenu(CMenuElementUI* item) {
    if (closing_ || item == nullptr || item->GetManager() != &m_pm || !item->HasSubMenu()) {
        return nullptr;
    }
    if (CMenuWnd* open = item->GetSubMenu()) {
        platform::SetForegroundWindow(open->GetHWND());
        return open;
    }
    if (CMenuWnd* other = OpenChild()) {
        other->CloseWithSubMenus();
    }
    return CreateMenu(item, {}, Point{}, &m_pm, nullptr, kMenuAlignLeft | kMenuAlignTop);
}

CControlUI* CMenuWnd::BuildSubMenuRoot() {
    CWindowManagerUI* parent = ownerElement_->GetManager();
    if (parent != nullptr) {
        // Fonts, images and default attributes of the menu's markup.
        m_pm.Resources().Private() = parent->Resources().Private();
    }
    auto* menu = new CMenuUI();
    if (const CMenuUI* look = ownerElement_->GetMenu()) {
        menu->CopyLookFrom(*look);
    }
    // The item keeps owning its child items: the list must not delete them.
    menu->SetAutoDestroy(false);
    for (CMenuElementUI* item : ownerElement_->SubItems()) {
        menu->Add(item);
    }
    return menu;
}

void CMenuWnd::ReturnLentItems() {
    if (ownerElement_ == nullptr) {
        return;
    }
    if (CListUI* list = RootList()) {
        list->RemoveAll();
    }
    for (CMenuElementUI* item : ownerElement_->SubItems()) {
        item->SetSelectedState(false);
        item->SetHotState(false);
        item->SetManager(nullptr, ownerElement_, false);
    }
    ownerElement_->SetSubMenu(nullptr);
    ownerElement_ = nullptr;
}

Rect CMenuWnd::SubMenuRect(Size size) const {
    const platform::Rect work = platform::GetWorkArea(GetHWND());
    const Rect& item = ownerElement_->GetPos();
    CWindowManagerUI* parent = ownerElement_->GetManager();
    const platform::Rect host =
        parent != nullptr ? platform::GetWindowRect(parent->GetPaintWindow()) : platform::Rect{};
    // The first item lines up with the item that opened the menu.
    int top = host.top + item.top;
    if (const CListUI* list = RootList()) {
        top -= list->GetInset().top;
    }
    top = std::max(work.top, std::min(top, work.bottom - size.cy));
    int left = host.left + item.right;
    if (left + size.cx > work.right) {
        left = std::max(work.left, host.left + item.left - size.cx);
    }
    return Rect{left, top, left + size.cx, top + size.cy};
}

}  // namespace uikit
