#include "uikit/window/MenuWnd.h"

#include <algorithm>

#include "platform/Messages.h"
#include "platform/Window.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/controls/ContainerUI.h"
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
    for (CMenuWnd* menu : MenuObserver().menus) {
        if (menu->GetHWND() != 0) {
            platform::ShowNativeWindow(menu->GetHWND(), platform::ShowCommand::Hide);
        }
        menu->Close(0);
    }
}

CMenuWnd* CMenuWnd::CreateMenu(CMenuElementUI* ownerElement, std::u16string_view markup,
                               Point screenPoint, CWindowManagerUI* ownerManager, unsigned align) {
    auto* menu = new CMenuWnd(markup, screenPoint, align);
    if (ownerElement == nullptr) {
        MenuObserver().ownerManager = ownerManager;
    }
    MenuObserver().menus.push_back(menu);
    const platform::WindowId owner = ownerManager != nullptr ? ownerManager->GetPaintWindow() : 0;
    const uint32_t style = platform::kStylePopup | platform::kStyleVisible |
                           platform::kStyleToolWindow | platform::kStyleTopMost;
    if (menu->Create(owner, "", style) == 0) {
        // A refused window has had its final message already, which deleted the object.
        return nullptr;
    }
    return menu;
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
        owner->SendNotify(msg, false);
    }
}

intptr_t CMenuWnd::OnCreate() {
    m_pm.Init(GetHWND());
    CMarkupBuilderUI builder;
    CControlUI* root = builder.Create(markup_, {}, this, &m_pm);
    if (root == nullptr) {
        m_pm.Init(0);
        return -1;
    }
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    PlaceWindow();
    return 0;
}

void CMenuWnd::PlaceWindow() {
    CControlUI* root = m_pm.GetRoot();
    const platform::Rect work = platform::GetWorkArea(GetHWND());
    Size size = root->EstimateSize(Size{work.right - work.left, work.bottom - work.top});
    if (auto* container = static_cast<CContainerUI*>(root->GetInterface(u"Container"))) {
        const Rect inset = container->GetInset();
        size.cy += inset.top + inset.bottom;
    }
    size.cx = std::clamp(size.cx, 1, work.right - work.left);
    size.cy = std::clamp(size.cy, 1, work.bottom - work.top);
    int x = point_.x;
    int y = point_.y;
    if ((align_ & kMenuAlignRight) != 0) {
        x -= size.cx;
    }
    if ((align_ & kMenuAlignBottom) != 0) {
        y -= size.cy;
    }
    platform::SetForegroundWindow(GetHWND());
    platform::SetWindowRect(GetHWND(), platform::Rect{x, y, x + size.cx, y + size.cy});
    platform::SetTopMost(GetHWND(), true);
}

bool CMenuWnd::OnKillFocus(platform::WindowId next) {
    for (CMenuWnd* menu : MenuObserver().menus) {
        if (menu->GetHWND() == next && next != 0) {
            return false;
        }
    }
    CloseAllMenus();
    return true;
}

intptr_t CMenuWnd::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case platform::WM_CREATE:
            return OnCreate();
        case platform::WM_KEYDOWN:
            if (wParam == platform::VK_ESCAPE || wParam == platform::VK_LEFT) {
                Close(0);
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
    std::erase(MenuObserver().menus, this);
    m_pm.RemoveNotifier(this);
    m_pm.ReleaseTree();
    m_pm.Init(0);
    delete this;
}

}  // namespace uikit
