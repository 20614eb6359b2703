// Sub-menus: opening beside their entry, closing from the inside out, and one command for all.
#include "platform/Messages.h"
#include "tests/uikit/window/MenuFixture.h"

using uikit::CMenuElementUI;
using uikit::CMenuWnd;
using uikit::Rect;

namespace {

TEST_F(MenuTest, HoveringAnEntryOpensOneSubMenuBesideItOnTheRight) {
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);
    CMenuWnd* child = Menu(1);
    EXPECT_EQ(child->OwnerElement(), Item(parent, u"sortBy"));
    EXPECT_EQ(platform::GetFocus(), child->GetHWND());

    const platform::Rect host = platform::GetWindowRect(parent->GetHWND());
    const platform::Rect placed = platform::GetWindowRect(child->GetHWND());
    const Rect entry = Item(parent, u"sortBy")->GetPos();
    EXPECT_EQ(placed.left, host.left + entry.right);
    EXPECT_EQ(placed.top, host.top + entry.top - 2);  // first items level, past the inset
    EXPECT_EQ(placed.Height(), 2 + 32 + 32 + 2);

    // The child items live in the sub-menu's window only, with their markup states.
    ASSERT_NE(Item(child, u"byName"), nullptr);
    EXPECT_EQ(Item(parent, u"byName"), nullptr);
    EXPECT_TRUE(Item(child, u"byName")->IsChecked());
    EXPECT_FALSE(Item(child, u"byTime")->IsChecked());

    // Back and forth between the entry and its sub-menu opens nothing more.
    Hover(child, u"byTime");
    Hover(parent, u"sortBy");
    Hover(child, u"byTime");
    ASSERT_EQ(MenusOpen(), 2u);
    EXPECT_EQ(Menu(1), child);
    // The sub-menu looks like its parent: the hovered item in the selected colour.
    const hl::Bitmap shown = Shown(child);
    const Rect byTime = Item(child, u"byTime")->GetPos();
    EXPECT_EQ(shown.At(byTime.left + 2, byTime.top + 2), 0xFFE6F2FAu);
}

TEST_F(MenuTest, SubMenuOpensOnTheLeftWhenTheRightWouldLeaveTheScreen) {
    CMenuWnd* probe = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(probe, nullptr);
    const int width = platform::GetWindowRect(probe->GetHWND()).Width();
    uikit::CloseAllMenus();
    platform::ProcessPendingMessages();

    CMenuWnd* parent =
        Open(TestMenuMarkup(u"img/placeholder.png"), {hl::kScreenWidth - width - 20, 150});
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);
    const platform::Rect host = platform::GetWindowRect(parent->GetHWND());
    const platform::Rect placed = platform::GetWindowRect(Menu(1)->GetHWND());
    EXPECT_EQ(placed.right, host.left + Item(parent, u"sortBy")->GetPos().left);
}

TEST_F(MenuTest, LeftClosesOnlyTheSubMenuAndRightOpensItAgain) {
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);

    hl::KeyDown(platform::VK_LEFT);
    platform::ProcessPendingMessages();
    ASSERT_EQ(MenusOpen(), 1u);
    EXPECT_EQ(Menu(0), parent);
    EXPECT_EQ(platform::GetFocus(), parent->GetHWND());
    // The entry has its items back, out of any window.
    CMenuElementUI* entry = Item(parent, u"sortBy");
    ASSERT_EQ(entry->SubItems().size(), 2u);
    for (CMenuElementUI* item : entry->SubItems()) {
        EXPECT_EQ(item->GetManager(), nullptr);
    }
    EXPECT_EQ(entry->GetSubMenu(), nullptr);

    hl::KeyDown(platform::VK_RIGHT);
    platform::ProcessPendingMessages();
    ASSERT_EQ(MenusOpen(), 2u);
    EXPECT_EQ(Menu(1)->OwnerElement(), entry);

    // Escape also closes from the inside out.
    hl::KeyDown(platform::VK_ESCAPE);
    platform::ProcessPendingMessages();
    EXPECT_EQ(MenusOpen(), 1u);
    hl::KeyDown(platform::VK_ESCAPE);
    platform::ProcessPendingMessages();
    EXPECT_EQ(MenusOpen(), 0u);
    EXPECT_TRUE(commands.empty());
}

TEST_F(MenuTest, HoveringAnotherItemClosesTheSubMenuAndTheEntryIsNoCommand) {
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);
    Hover(parent, u"autoStart");
    EXPECT_EQ(MenusOpen(), 1u);

    // A click on the entry shows its items and does nothing else.
    Click(parent, u"sortBy");
    EXPECT_EQ(MenusOpen(), 2u);
    EXPECT_TRUE(commands.empty());
}

TEST_F(MenuTest, LeafClickInASubMenuPostsOneCommandAndClosesEveryMenu) {
    uikit::MenuCheckStates states;
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"), {200, 150}, &states);
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);
    Click(Menu(1), u"byTime");
    EXPECT_EQ(MenusOpen(), 0u);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, u"byTime");
    EXPECT_EQ(commands[0].lParam, 1);
    EXPECT_EQ(commands[0].menusOpen, 0u);
    EXPECT_TRUE(states.at(u"byTime"));
    // The keyboard is back with the window that owns the menus.
    EXPECT_EQ(platform::GetFocus(), owner_);
}

TEST_F(MenuTest, FocusGoingToAWindowThatIsNoMenuClosesEveryMenu) {
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);
    // Between the menus the focus may move freely.
    const platform::Point line = Centre(parent, u"line");
    hl::Click(line.x, line.y);
    platform::ProcessPendingMessages();
    EXPECT_EQ(platform::GetFocus(), parent->GetHWND());
    ASSERT_EQ(MenusOpen(), 2u);

    platform::SetFocus(owner_);
    platform::ProcessPendingMessages();
    EXPECT_EQ(MenusOpen(), 0u);
    EXPECT_TRUE(commands.empty());
}

TEST_F(MenuTest, OwnerWindowGoingTakesEveryMenuWithIt) {
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);
    platform::DestroyNativeWindow(owner_);
    EXPECT_EQ(MenusOpen(), 0u);
    EXPECT_EQ(uikit::MenuObserver().ownerManager, nullptr);
}

TEST_F(MenuTest, SubMenusNestAndCloseFromTheInnermostOut) {
    CMenuWnd* top = Open(
        uR"(<Window><Font name="微软雅黑" size="13" default="true"/>
        <Menu bkcolor="#FFFFFFFF" itemtextcolor="#FF4C4C4C" inset="2,2,2,2">
          <MenuElement name="view" text="查看" height="30">
            <MenuElement name="sort" text="排序" height="30">
              <MenuElement name="bySize" text="按大小" height="30"/>
            </MenuElement>
            <MenuElement name="refresh" text="刷新" height="30"/>
          </MenuElement>
          <MenuElement name="quit" text="退出" height="30"/>
        </Menu></Window>)");
    ASSERT_NE(top, nullptr);
    Hover(top, u"view");
    ASSERT_EQ(MenusOpen(), 2u);
    Hover(Menu(1), u"sort");
    ASSERT_EQ(MenusOpen(), 3u);
    CMenuWnd* innermost = Menu(2);
    EXPECT_NE(Item(innermost, u"bySize"), nullptr);

    hl::KeyDown(platform::VK_LEFT);
    platform::ProcessPendingMessages();
    ASSERT_EQ(MenusOpen(), 2u);
    EXPECT_EQ(platform::GetFocus(), Menu(1)->GetHWND());

    // Back over the top menu's other item: both sub-menus go at once.
    hl::KeyDown(platform::VK_RIGHT);
    platform::ProcessPendingMessages();
    ASSERT_EQ(MenusOpen(), 3u);
    Hover(top, u"quit");
    EXPECT_EQ(MenusOpen(), 1u);
    EXPECT_EQ(Item(top, u"view")->SubItems().size(), 2u);

    Hover(top, u"view");
    Hover(Menu(1), u"sort");
    ASSERT_EQ(MenusOpen(), 3u);
    Click(Menu(2), u"bySize");
    EXPECT_EQ(MenusOpen(), 0u);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, u"bySize");
}

// Lays the menus' last frames on a grey background where they are on the screen.
std::unique_ptr<uikit::Canvas> Picture(const std::vector<CMenuWnd*>& menus) {
    platform::Rect all = platform::GetWindowRect(menus.front()->GetHWND());
    for (CMenuWnd* menu : menus) {
        const platform::Rect rc = platform::GetWindowRect(menu->GetHWND());
        all = platform::Rect{std::min(all.left, rc.left), std::min(all.top, rc.top),
                             std::max(all.right, rc.right), std::max(all.bottom, rc.bottom)};
    }
    constexpr int kMargin = 16;
    auto canvas =
        std::make_unique<uikit::Canvas>(all.Width() + 2 * kMargin, all.Height() + 2 * kMargin);
    canvas->Clear(0xFFE8E8E8);
    for (CMenuWnd* menu : menus) {
        hl::Bitmap frame;
        if (!hl::LastPresented(menu->GetHWND(), frame)) {
            continue;
        }
        const platform::Rect rc = platform::GetWindowRect(menu->GetHWND());
        PaintFrame(frame, *canvas, rc.left - all.left + kMargin, rc.top - all.top + kMargin);
    }
    return canvas;
}

TEST_F(MenuTest, OpenSubMenuPreviewShowsCheckMarksOnlyOnCheckedItems) {
    uikit::MenuCheckStates states{{u"autoStart", true}};
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/folder.png"), {200, 150}, &states);
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    ASSERT_EQ(MenusOpen(), 2u);
    CMenuWnd* child = Menu(1);
    Hover(child, u"byTime");
    const hl::Bitmap shown = Shown(child);
    // Left of the text: the mark of "byName" (checked), none beside "byTime".
    const auto mark = [&](std::u16string_view name) {
        Rect column = Middle(Item(child, name)->GetPos());
        column.right = column.left + 24;
        return ColumnsWith(shown, column, IsInk).first;
    };
    EXPECT_GE(mark(u"byName"), 0);
    EXPECT_EQ(mark(u"byTime"), -1);

    const auto picture = Picture({parent, child});
    EXPECT_TRUE(picture->WritePng(KAVRIN_MENU_PREVIEW_DIR "/menu-preview.png"));
}

}  // namespace
