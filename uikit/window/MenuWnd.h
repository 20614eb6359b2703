#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/draw/Geometry.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/WindowWnd.h"

namespace uikit {

class CListUI;
class CMenuElementUI;
class CMenuWnd;

// Where the given point lies on the menu: its top-left corner by default; "right" puts the
// menu's right edge there, "bottom" its bottom edge.
enum MenuAlign : unsigned {
    kMenuAlignLeft = 1u << 1,
    kMenuAlignTop = 1u << 2,
    kMenuAlignRight = 1u << 3,
    kMenuAlignBottom = 1u << 4,
};

// Check states of a menu's check items by item name: read when the menu opens, written when an
// item is toggled.
using MenuCheckStates = std::map<std::u16string, bool, std::less<>>;

// What every open menu shares: the windows (each sub-menu after the menu it came from), the
// manager of the window that owns the top-level menu, the caller's check states and the name
// of the item clicked last. UI thread only. The owner and the check states are forgotten when
// the last menu is gone; the clicked name stays for the owner's command handler.
struct MenuObserverUI {
    std::vector<CMenuWnd*> menus;
    CWindowManagerUI* ownerManager = nullptr;
    MenuCheckStates* checkStates = nullptr;
    std::u16string clickedMenuName;
};
MenuObserverUI& MenuObserver();
const std::u16string& ClickedMenuName();
// Asks every open menu to close, innermost first; they are gone once the loop has delivered
// their close.
void CloseAllMenus();

// A pop-up menu built from markup: a tool window above all others at a screen point, closed by
// a click on an item, Escape, Left, or the focus going to a window that is not a menu. An item
// with child items opens them as a sub-menu beside itself.
class CMenuWnd : public CWindowWnd, public INotifyUI, public IDialogBuilderCallback {
  public:
    // Opens a top-level menu (ownerElement null; any open menus close) or the sub-menu of an
    // item of an open menu (built from the item's child items, `markup` and the point unused).
    // The check states must outlive the menu. The menu deletes itself when its window goes;
    // null when the window cannot be made.
    static CMenuWnd* CreateMenu(CMenuElementUI* ownerElement, std::u16string_view markup,
                                Point screenPoint, CWindowManagerUI* ownerManager,
                                MenuCheckStates* checkStates = nullptr,
                                unsigned align = kMenuAlignLeft | kMenuAlignTop);
    // The open menu whose window the manager drives; null for any other manager.
    static CMenuWnd* FromManager(const CWindowManagerUI* manager);

    CWindowManagerUI& Manager() { return m_pm; }
    CMenuElementUI* OwnerElement() const { return ownerElement_; }
    bool IsClosing() const { return closing_; }
    // Hides the window at once and posts its close; later calls do nothing.
    void RequestClose();
    // Closes this menu and every menu opened from it.
    void CloseWithSubMenus();

    // An item of this menu became hovered: the sub-menu of another item closes, the item's own
    // opens.
    void OnItemHovered(CMenuElementUI* item);
    // The sub-menu of one of this menu's items, opened when it is not open yet.
    CMenuWnd* OpenSubMenu(CMenuElementUI* item);
    // The sub-menu opened from this menu that is not closing; null when there is none.
    CMenuWnd* OpenChild() const;

    void Notify(NotifyRecordUI& msg) override;
    CControlUI* CreateControl(std::u16string_view tag) override;

  protected:
    std::string GetWindowClassName() const override { return "MenuWnd"; }
    intptr_t HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnFinalMessage(platform::WindowId window) override;

  private:
    CMenuWnd(CMenuElementUI* ownerElement, std::u16string_view markup, Point point, unsigned align)
        : ownerElement_(ownerElement), markup_(markup), point_(point), align_(align) {}
    intptr_t OnCreate();
    CControlUI* BuildRoot();
    CControlUI* BuildSubMenuRoot();
    void ReturnLentItems();
    CListUI* RootList() const;
    void PlaceWindow();
    Rect WindowRect(Size size) const;
    Rect SubMenuRect(Size size) const;
    bool OnKeyDown(uintptr_t key);
    void OnKillFocus(platform::WindowId next);

    CWindowManagerUI m_pm;
    CMenuElementUI* ownerElement_ = nullptr;
    std::u16string markup_;
    Point point_;
    unsigned align_ = 0;
    bool closing_ = false;
};

}  // namespace uikit
