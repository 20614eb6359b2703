// Sub-menus: opening beside their entry, closing from the inside out, and one command for all.
#include "platform/Messages.h"
#include "tests/uikit/window/MenuFixture.h"

using uikit::CMenuElementUI;
using uikit::CMenuWnd;
using uikit::Rect;

namespace {

TEST_F(MenuTest, HoveringAnEntryOpensOneSubMenuBesideIt) {
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(parent, nullptr);
    const int width = platform::GetWindowRect(parent->GetHWND()).Width();
    for (const int x : {200, hl::kScreenWidth - width - 20}) {
        parent = Open(TestMenuMarkup(u"img/placeholder.png"), {x, 150});
        Hover(parent, u"sortBy");
        // Back and forth between the entry and its sub-menu opens nothing more.
        Hover(Menu(1), u"byTime");
        Hover(parent, u"sortBy");
        ASSERT_EQ(MenusOpen(), 2u);
        CMenuWnd* child = Menu(1);
        EXPECT_EQ(child->OwnerElement(), Item(parent, u"sortBy"));
        EXPECT_EQ(platform::GetFocus(), child->GetHWND());
        const platform::Rect host = platform::GetWindowRect(parent->GetHWND());
        const platform::Rect placed = platform::GetWindowRect(child->GetHWND());
        const Rect entry = Item(parent, u"sortBy")->GetPos();
        // On the right, or on the left where the right would leave the screen; the first
        // items level.
        EXPECT_EQ(x == 200 ? placed.left : placed.right,
                  host.left + (x == 200 ? entry.right : entry.left));
        EXPECT_EQ(placed.top, host.top + entry.top - 2);
        EXPECT_EQ(placed.Height(), 2 + 3 * 32 + 2);
        // The child items live in the sub-menu's window, with their markup states and the
        // parent's look (the hovered item in the selected colour).
        EXPECT_EQ(Item(parent, u"byName"), nullptr);
        EXPECT_TRUE(Item(child, u"byName")->IsChecked());
        const Rect byTime = Item(child, u"byTime")->GetPos();
        EXPECT_EQ(Shown(child).At(byTime.left + 2, byTime.top + 2), 0xFFE6F2FAu);
    }
}

TEST_F(MenuTest, NestedSubMenusCloseFromTheInnermostOut) {
    uikit::MenuCheckStates states;
    CMenuWnd* top = Open(TestMenuMarkup(u"img/placeholder.png"), {200, 150}, &states);
    ASSERT_NE(top, nullptr);
    Hover(top, u"sortBy");
    Hover(Menu(1), u"more");
    ASSERT_EQ(MenusOpen(), 3u);

    // Left closes the innermost only and gives the keyboard back; Right opens it again.
    Key(platform::VK_LEFT);
    ASSERT_EQ(MenusOpen(), 2u);
    EXPECT_EQ(platform::GetFocus(), Menu(1)->GetHWND());
    CMenuElementUI* more = Item(Menu(1), u"more");
    EXPECT_EQ(more->GetSubMenu(), nullptr);
    EXPECT_EQ(more->SubItems().front()->GetManager(), nullptr);
    Key(platform::VK_RIGHT);
    ASSERT_EQ(MenusOpen(), 3u);
    Key(platform::VK_ESCAPE);
    EXPECT_EQ(MenusOpen(), 2u);

    // Another item of the top menu closes every sub-menu; a click on an entry is no command.
    Hover(top, u"autoStart");
    EXPECT_EQ(MenusOpen(), 1u);
    EXPECT_EQ(Item(top, u"sortBy")->SubItems().size(), 3u);
    Click(top, u"sortBy");
    EXPECT_EQ(MenusOpen(), 2u);
    EXPECT_TRUE(commands.empty());

    // A leaf anywhere closes them all, with one command once they are gone.
    Click(Menu(1), u"byTime");
    EXPECT_EQ(MenusOpen(), 0u);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, u"byTime");
    EXPECT_EQ(commands[0].lParam, 1);
    EXPECT_EQ(commands[0].menusOpen, 0u);
    EXPECT_TRUE(states.at(u"byTime"));
    EXPECT_EQ(platform::GetFocus(), owner_);
}

TEST_F(MenuTest, FocusLeavingTheMenusForAnotherWindowClosesThemAll) {
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    // Between the menus the focus moves freely.
    const platform::Point line = Centre(parent, Item(parent, u"line"));
    hl::Click(line.x, line.y);
    platform::ProcessPendingMessages();
    EXPECT_EQ(platform::GetFocus(), parent->GetHWND());
    ASSERT_EQ(MenusOpen(), 2u);
    platform::SetFocus(owner_);
    platform::ProcessPendingMessages();
    EXPECT_EQ(MenusOpen(), 0u);
    EXPECT_TRUE(commands.empty());

    // The owner's window going takes the menus with it, and nothing points at it afterwards.
    parent = Open(TestMenuMarkup(u"img/placeholder.png"));
    Hover(parent, u"sortBy");
    platform::DestroyNativeWindow(owner_);
    EXPECT_EQ(MenusOpen(), 0u);
    EXPECT_EQ(uikit::MenuObserver().ownerManager, nullptr);
}

TEST_F(MenuTest, PreviewOfAnOpenSubMenuShowsCheckMarksOnlyOnCheckedItems) {
    uikit::MenuCheckStates states{{u"autoStart", true}};
    CMenuWnd* parent = Open(TestMenuMarkup(u"img/folder.png"), {200, 150}, &states);
    ASSERT_NE(parent, nullptr);
    Hover(parent, u"sortBy");
    CMenuWnd* child = Menu(1);
    Hover(child, u"byTime");
    const hl::Bitmap shown = Shown(child);
    const auto marked = [&](std::u16string_view name) {
        Rect column = Item(child, name)->GetPos();
        column.right = column.left + 24;
        return ColumnsWith(shown, column, IsInk).first >= 0;
    };
    EXPECT_TRUE(marked(u"byName"));
    EXPECT_FALSE(marked(u"byTime"));

    // Both windows where they are on the screen, on a grey desk.
    constexpr int kMargin = 16;
    const platform::Rect left = platform::GetWindowRect(parent->GetHWND());
    const platform::Rect right = platform::GetWindowRect(child->GetHWND());
    uikit::Canvas picture(right.right - left.left + 2 * kMargin,
                          std::max(left.bottom, right.bottom) - left.top + 2 * kMargin);
    picture.Clear(0xFFE8E8E8);
    PaintFrame(Shown(parent), picture, kMargin, kMargin);
    PaintFrame(shown, picture, right.left - left.left + kMargin, right.top - left.top + kMargin);
    EXPECT_TRUE(picture.WritePng(KAVRIN_MENU_PREVIEW_DIR "/menu-preview.png"));
}

}  // namespace
