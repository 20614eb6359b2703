#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessInput.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/window/MenuUI.h"
#include "uikit/window/MenuWnd.h"

namespace hl = platform::headless;

// A menu in the skin's style: an icon item, a separator, a check item and an entry that opens
// two check items and a further entry as a sub-menu.
inline std::u16string TestMenuMarkup(std::u16string_view icon) {
    return uR"(<Window><Font name="微软雅黑" size="13" default="true"/>
  <Default name="Menu" value="inset=&quot;2,2,2,2&quot; bkimage=&quot;file='images/menubk.png' corner='1,11,1,1'&quot;"/>
  <Menu bkcolor="#FFFFFFFF" itemtextcolor="#FF4C4C4C" itemselectedtextcolor="#FF458ff8" itemselectedbkcolor="#FFe6f2fa">
    <MenuElement name="openFolder" text="打开下载目录" iconsize="16,16" height="32" icon=")" +
           std::u16string(icon) +
           uR"("/>
    <MenuElement name="line" linetype="true" linecolor="#FFDCDCDC" linepadding="8,4,8,4" height="9"/>
    <MenuElement name="autoStart" text="开机启动" checkitem="true" height="32"/>
    <MenuElement name="sortBy" text="排序方式" expland="true" height="32">
      <MenuElement name="byName" text="按名称" checkitem="true" ischeck="true" height="32"/>
      <MenuElement name="byTime" text="按下载时间" checkitem="true" height="32"/>
      <MenuElement name="more" text="更多" expland="true" height="32">
        <MenuElement name="bySize" text="按大小" height="32"/>
      </MenuElement>
    </MenuElement>
  </Menu></Window>)";
}

// What the window that owns the menu saw of one menu command.
struct MenuCommand {
    std::u16string name;
    intptr_t lParam = 0;
    size_t menusOpen = 0;
};

// An owner window with its manager on the headless window system; it records the menu commands
// posted to it and the clicks its manager hears.
class MenuTest : public ::testing::Test, public uikit::INotifyUI {
  protected:
    void SetUp() override {
        static const bool ready = [] {
            uikit::InitTextEngine();
            uikit::InstallLinkedSkin();
            return platform::UseHeadless();
        }();
        ASSERT_TRUE(ready);
        platform::WindowParams params;
        params.className = "MenuOwner";
        params.style = platform::kStylePopup | platform::kStyleVisible;
        params.rect = platform::Rect{100, 100, 700, 500};
        params.proc = [this](platform::WindowId window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) -> intptr_t {
            if (message == uikit::kMsgMenuCommand) {
                commands.push_back({uikit::ClickedMenuName(), lParam, MenusOpen()});
                return 0;
            }
            return platform::DefaultWindowProc(window, message, wParam, lParam);
        };
        owner_ = platform::CreateNativeWindow(params);
        ownerManager_.Init(owner_);
        ownerManager_.AddNotifier(this);
        platform::ProcessPendingMessages();
    }
    void TearDown() override {
        uikit::CloseAllMenus();
        platform::ProcessPendingMessages();
        EXPECT_EQ(MenusOpen(), 0u);
        ownerManager_.RemoveNotifier(this);
        ownerManager_.Init(0);
        platform::DestroyNativeWindow(owner_);
    }
    void Notify(uikit::NotifyRecordUI& msg) override {
        if (msg.type == u"click" && msg.sender != nullptr) {
            clicks.emplace_back(msg.sender->GetName());
        }
    }

    // Opens a menu laid out and painted, as a person sees it.
    uikit::CMenuWnd* Open(std::u16string_view markup, uikit::Point at = {200, 150},
                          uikit::MenuCheckStates* states = nullptr) {
        uikit::CMenuWnd* menu =
            uikit::CMenuWnd::CreateMenu(nullptr, markup, at, &ownerManager_, states);
        platform::ProcessPendingMessages();
        return menu;
    }
    static size_t MenusOpen() { return uikit::MenuObserver().menus.size(); }
    static uikit::CMenuWnd* Menu(size_t index) { return uikit::MenuObserver().menus.at(index); }
    static uikit::CMenuElementUI* Item(uikit::CMenuWnd* menu, std::u16string_view name) {
        return static_cast<uikit::CMenuElementUI*>(menu->Manager().FindControl(name));
    }
    static platform::Point Centre(uikit::CMenuWnd* menu, const uikit::CControlUI* control) {
        const platform::Rect window = platform::GetWindowRect(menu->GetHWND());
        const uikit::Rect& rc = control->GetPos();
        return platform::Point{window.left + (rc.left + rc.right) / 2,
                               window.top + (rc.top + rc.bottom) / 2};
    }
    static void Hover(uikit::CMenuWnd* menu, std::u16string_view name) {
        const platform::Point at = Centre(menu, Item(menu, name));
        hl::MouseMove(at.x, at.y);
        platform::ProcessPendingMessages();
    }
    static void Click(uikit::CMenuWnd* menu, std::u16string_view name) {
        const platform::Point at = Centre(menu, Item(menu, name));
        hl::MouseMove(at.x, at.y);
        hl::Click(at.x, at.y);
        platform::ProcessPendingMessages();
    }
    static void Key(uint32_t key) {
        hl::KeyDown(key);
        platform::ProcessPendingMessages();
    }
    static hl::Bitmap Shown(uikit::CMenuWnd* menu) {
        platform::ProcessPendingMessages();
        hl::Bitmap bitmap;
        EXPECT_TRUE(hl::LastPresented(menu->GetHWND(), bitmap));
        return bitmap;
    }

    std::vector<MenuCommand> commands;
    std::vector<std::u16string> clicks;
    platform::WindowId owner_ = 0;
    uikit::CWindowManagerUI ownerManager_;
};

// Pixels of a painted menu: text is grey on white, the test icon strongly coloured.
inline bool IsColoured(uint32_t p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return std::max({r, g, b}) - std::min({r, g, b}) > 80;
}
inline bool IsInk(uint32_t p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return std::max({r, g, b}) - std::min({r, g, b}) < 16 && r < 0xB0;
}

// The first and last column with an accepted pixel in the item's rectangle, leaving out its
// top and bottom rows (the menu's background draws a coloured band across the top); -1 for
// none.
template <typename Test>
std::pair<int, int> ColumnsWith(const hl::Bitmap& bitmap, uikit::Rect rc, Test test) {
    std::pair<int, int> found{-1, -1};
    for (int x = rc.left; x < rc.right; ++x) {
        for (int y = rc.top + 4; y < rc.bottom - 4; ++y) {
            if (test(bitmap.At(x, y))) {
                found = {found.first < 0 ? x : found.first, x};
                break;
            }
        }
    }
    return found;
}

// Copies a window's frame onto a picture with its top-left corner at x, y.
inline void PaintFrame(const hl::Bitmap& frame, uikit::Canvas& picture, int x, int y) {
    std::vector<uint32_t> pixels = frame.pixels;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, frame.width,
        frame.height, frame.width * 4);
    cairo_set_source_surface(picture.Context(), surface, x, y);
    cairo_paint(picture.Context());
    cairo_set_source_rgb(picture.Context(), 0, 0, 0);  // let go of the surface
    cairo_surface_destroy(surface);
}
