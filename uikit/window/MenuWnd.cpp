#include "uikit/window/MenuWnd.h"

#include <algorithm>
#include <ranges>

#include "platform/Messages.h"
#include "platform/Window.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/window/MenuCheckStates.h"
#include "uikit/window/MenuUI.h"

namespace uikit {

MenuObserverUI& MenuObserver() {
    static MenuObserverUI observer;
    return observer;
}

const std::u16string& ClickedMenuName() {
    return MenuObserver().clickedMenuName;
}

void CloseAllMenus() {
    // Innermost first: each closing menu hands the keyboard back to the menu it came from, and
    // the last one to the window that owns them all.
    const std::vector<CMenuWnd*> menus = MenuObserver().menus;
    for (CMenuWnd* menu : std::views::reverse(menus)) {
        menu->RequestClose();
    }
}

CMenuWnd* CMenuWnd::CreateMenu(CMenuElementUI* ownerElement, std::u16string_view markup,
                               Point screenPoint, CWindowManagerUI* ownerManager,
                               MenuCheckStates* checkStates, unsigned align) {
    MenuObserverUI& observer = MenuObserver();
    if (ownerElement == nullptr) {
        // One menu tree at a time: what the old one shares would be overwritten below.
        CloseAllMenus();
        observer.ownerManager = ownerManager;
        observer.checkStates = checkStates;
    }
    auto* menu = new CMenuWnd(ownerElement, markup, screenPoint, align);
    if (ownerElement != nullptr) {
        ownerElement->SetSubMenu(menu);
    }
    observer.menus.push_back(menu);
    const platform::WindowId owner = ownerManager != nullptr ? ownerManager->GetPaintWindow() : 0;
    const uint32_t style = platform::kStylePopup | platform::kStyleVisible |
                           platform::kStyleToolWindow | platform::kStyleTopMost;
    if (menu->Create(owner, "", style) == 0) {
        // A refused window has had its final message already, which deleted the object.
        return nullptr;
    }
    return menu;
}

CMenuWnd* CMenuWnd::FromManager(const CWindowManagerUI* manager) {
    for (CMenuWnd* menu : MenuObserver().menus) {
        if (&menu->m_pm == manager) {
            return menu;
        }
    }
    return nullptr;
}

CControlUI* CMenuWnd::CreateControl(std::u16string_view tag) {
    if (tag == u"Menu") {
        return new CMenuUI();
    }
    if (tag == u"MenuElement") {
        return new CMenuElementUI();
    }
    return nullptr;
}

void CMenuWnd::Notify(NotifyRecordUI& msg) {
    // The owner hears what its menu's controls report, as if they were its own.
    CWindowManagerUI* owner = MenuObserver().ownerManager;
    if (owner != nullptr && (msg.type == u"click" || msg.type == u"valuechanged")) {
        owner->NotifySinks(msg);
    }
}

void CMenuWnd::RequestClose() {
    if (closing_) {
        return;
    }
    closing_ = true;
    // The item that opened this menu may open it again before this window is gone; its items
    // must be back by then.
    ReturnLentItems();
    if (GetHWND() != 0) {
        platform::ShowNativeWindow(GetHWND(), platform::ShowCommand::Hide);
    }
    Close(0);
}

intptr_t CMenuWnd::OnCreate() {
    m_pm.Init(GetHWND());
    CControlUI* root = BuildRoot();
    if (root == nullptr) {
        m_pm.Init(0);
        return -1;
    }
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    if (ownerElement_ == nullptr) {
        ApplyCheckStates(root, MenuObserver().checkStates);
    }
    PlaceWindow();
    return 0;
}

CControlUI* CMenuWnd::BuildRoot() {
    if (ownerElement_ != nullptr) {
        return BuildSubMenuRoot();
    }
    CMarkupBuilderUI builder;
    return builder.Create(markup_, {}, this, &m_pm);
}

void CMenuWnd::PlaceWindow() {
    CControlUI* root = m_pm.GetRoot();
    const platform::Rect work = platform::GetWorkArea(GetHWND());
    Size size = root->EstimateSize(Size{work.Width(), work.Height()});
    size.cx = std::clamp(size.cx, 1, std::max(1, work.Width()));
    size.cy = std::clamp(size.cy, 1, std::max(1, work.Height()));
    const Rect rc = ownerElement_ != nullptr ? SubMenuRect(size) : WindowRect(size);
    platform::SetForegroundWindow(GetHWND());
    platform::SetWindowRect(GetHWND(), rc);
    platform::SetTopMost(GetHWND(), true);
}

Rect CMenuWnd::WindowRect(Size size) const {
    int x = point_.x;
    int y = point_.y;
    if ((align_ & kMenuAlignRight) != 0) {
        x -= size.cx;
    }
    if ((align_ & kMenuAlignBottom) != 0) {
        y -= size.cy;
    }
    return Rect{x, y, x + size.cx, y + size.cy};
}

CListUI* CMenuWnd::RootList() const {
    CControlUI* root = m_pm.GetRoot();
    return root != nullptr ? static_cast<CListUI*>(root->GetInterface(u"List")) : nullptr;
}

bool CMenuWnd::OnKeyDown(uintptr_t key) {
    if (key == platform::VK_ESCAPE || key == platform::VK_LEFT) {
        // Only this menu and what it opened: the menu it came from stays.
        CloseWithSubMenus();
        return true;
    }
    if (key == platform::VK_RIGHT) {
        CListUI* list = RootList();
        CControlUI* item = list != nullptr ? list->GetItemAt(list->GetCurSel()) : nullptr;
        auto* element = item != nullptr
                            ? static_cast<CMenuElementUI*>(item->GetInterface(u"MenuElement"))
                            : nullptr;
        if (element != nullptr && element->HasSubMenu()) {
            OpenSubMenu(element);
        }
        return true;
    }
    return false;
}

void CMenuWnd::OnKillFocus(platform::WindowId next) {
    if (next != 0 && std::ranges::any_of(MenuObserver().menus, [next](const CMenuWnd* menu) {
            return menu->GetHWND() == next;
        })) {
        return;
    }
    CloseAllMenus();
}

intptr_t CMenuWnd::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case platform::WM_CREATE:
            return OnCreate();
        case platform::WM_KEYDOWN:
            if (OnKeyDown(wParam)) {
                return 0;
            }
            break;
        case platform::WM_KILLFOCUS:
            OnKillFocus(static_cast<platform::WindowId>(wParam));
            break;
        case platform::WM_RBUTTONDOWN:
        case platform::WM_RBUTTONUP:
            return 0;
        case platform::WM_NCACTIVATE:
            return 1;  // the window that owns the menu keeps looking active
        default:
            break;
    }
    intptr_t result = 0;
    if (m_pm.MessageHandler(message, wParam, lParam, result)) {
        return result;
    }
    return platform::DefaultWindowProc(GetHWND(), message, wParam, lParam);
}

void CMenuWnd::OnFinalMessage(platform::WindowId) {
    MenuObserverUI& observer = MenuObserver();
    std::erase(observer.menus, this);
    if (observer.menus.empty()) {
        // Nothing may reach a window or a map that can go once its menu is gone.
        observer.ownerManager = nullptr;
        observer.checkStates = nullptr;
    }
    m_pm.RemoveNotifier(this);
    ReturnLentItems();
    m_pm.ReleaseTree();
    m_pm.Init(0);
    delete this;
}

}  // namespace uikit
