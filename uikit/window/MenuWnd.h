#pragma once

#include <string>
#include <vector>

#include "uikit/Geometry.h"
#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/WindowWnd.h"

namespace uikit {

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

// What every open menu shares: the windows, the manager of the window that owns the top-level
// menu, and the name of the item clicked last. UI thread only.
struct MenuObserverUI {
    std::vector<CMenuWnd*> menus;
    CWindowManagerUI* ownerManager = nullptr;
    std::u16string clickedMenuName;
};
MenuObserverUI& MenuObserver();
const std::u16string& ClickedMenuName();
// Asks every open menu to close; they are gone once the loop has delivered their close.
void CloseAllMenus();

// A pop-up menu built from markup: a tool window above all others at a screen point, closed by
// a click on an item, Escape, Left, or the focus going to a window that is not a menu.
class CMenuWnd : public CWindowWnd, public INotifyUI, public IDialogBuilderCallback {
  public:
    // Opens a menu; it deletes itself when its window goes. Null when the window cannot be
    // made.
    static CMenuWnd* CreateMenu(CMenuElementUI* ownerElement, std::u16string_view markup,
                                Point screenPoint, CWindowManagerUI* ownerManager,
                                unsigned align = kMenuAlignLeft | kMenuAlignTop);

    CWindowManagerUI& Manager() { return m_pm; }
    void Notify(NotifyRecordUI& msg) override;
    CControlUI* CreateControl(std::u16string_view tag) override;

  protected:
    std::string GetWindowClassName() const override { return "MenuWnd"; }
    intptr_t HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnFinalMessage(platform::WindowId window) override;

  private:
    CMenuWnd(std::u16string_view markup, Point point, unsigned align)
        : markup_(markup), point_(point), align_(align) {}
    intptr_t OnCreate();
    void PlaceWindow();
    bool OnKillFocus(platform::WindowId next);

    CWindowManagerUI m_pm;
    std::u16string markup_;
    Point point_;
    unsigned align_ = 0;
};

}  // namespace uikit
