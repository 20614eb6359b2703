// Items of one pop-up menu: separators, icons, check items, sizing and what reaches the owner.
#include "tests/uikit/window/MenuFixture.h"

using uikit::CMenuElementUI;
using uikit::CMenuWnd;
using uikit::Rect;

namespace {

TEST_F(MenuTest, SeparatorIsALineThatIsNeitherHoveredNorClickable) {
    CMenuWnd* menu = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(menu, nullptr);
    CMenuElementUI* line = Item(menu, u"line");
    Hover(menu, u"openFolder");
    Hover(menu, u"line");
    EXPECT_NE(menu->Manager().GetHover(), line);
    EXPECT_FALSE(line->IsHot());
    EXPECT_FALSE(line->IsSelected());

    Click(menu, u"line");
    EXPECT_EQ(MenusOpen(), 1u);
    EXPECT_TRUE(commands.empty());

    // One pixel of the line colour, inset by the line padding (8,4,8,4) in its 9-pixel row.
    const hl::Bitmap shown = Shown(menu);
    const Rect rc = line->GetPos();
    EXPECT_EQ(rc.Height(), 9);
    const int y = rc.top + 4;
    EXPECT_EQ(shown.At(rc.left + 8, y), 0xFFDCDCDCu);
    EXPECT_EQ(shown.At(rc.right - 9, y), 0xFFDCDCDCu);
    EXPECT_EQ(shown.At(rc.left + 7, y), 0xFFFFFFFFu);
    EXPECT_EQ(shown.At(rc.right - 8, y), 0xFFFFFFFFu);
    EXPECT_EQ(shown.At(rc.left + 20, y - 1), 0xFFFFFFFFu);
    EXPECT_EQ(shown.At(rc.left + 20, y + 1), 0xFFFFFFFFu);
}

TEST_F(MenuTest, IconItemDrawsItsIconAndItsTextRightOfIt) {
    CMenuWnd* menu = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(menu, nullptr);
    const hl::Bitmap shown = Shown(menu);
    const Rect item = Middle(Item(menu, u"openFolder")->GetPos());
    const auto icon = ColumnsWith(shown, item, IsColoured);
    ASSERT_GE(icon.first, item.left);
    EXPECT_EQ(icon.second - icon.first + 1, 16);
    const auto text = ColumnsWith(shown, item, IsInk);
    ASSERT_GE(text.first, 0);
    EXPECT_GT(text.first, icon.second);
    // Every item's text starts in the same column, with or without an icon of its own.
    const auto other = ColumnsWith(shown, Middle(Item(menu, u"autoStart")->GetPos()), IsInk);
    EXPECT_NEAR(other.first, text.first, 3);
}

TEST_F(MenuTest, MenuTakesTheSizeOfItsItemsSeparatorAndIconColumnIncluded) {
    CMenuWnd* menu = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(menu, nullptr);
    const platform::Rect withIcon = platform::GetWindowRect(menu->GetHWND());
    EXPECT_EQ(withIcon.Height(), 2 + 32 + 9 + 32 + 32 + 2);
    const hl::Bitmap shown = Shown(menu);
    for (const char16_t* name : {u"openFolder", u"autoStart", u"sortBy"}) {
        const Rect item = Middle(Item(menu, name)->GetPos());
        const auto text = ColumnsWith(shown, item, IsInk);
        EXPECT_LT(text.second, item.right - 4) << "text cut off";
    }
    uikit::CloseAllMenus();
    platform::ProcessPendingMessages();

    CMenuWnd* plain = Open(TestMenuMarkup(u""));
    ASSERT_NE(plain, nullptr);
    const platform::Rect withoutIcon = platform::GetWindowRect(plain->GetHWND());
    EXPECT_GE(withIcon.Width() - withoutIcon.Width(), 16);
    EXPECT_EQ(withoutIcon.Height(), withIcon.Height());
}

TEST_F(MenuTest, CheckItemTogglesOnClickAndReportsItsNewState) {
    uikit::MenuCheckStates states{{u"autoStart", true}};
    CMenuWnd* menu = Open(TestMenuMarkup(u"img/placeholder.png"), {200, 150}, &states);
    ASSERT_NE(menu, nullptr);
    // The caller's state wins over the markup's, and shows as a mark left of the icon column.
    EXPECT_TRUE(Item(menu, u"autoStart")->IsChecked());
    const auto markColumns = [this](CMenuWnd* m) {
        const hl::Bitmap shown = Shown(m);
        const int iconLeft =
            ColumnsWith(shown, Middle(Item(m, u"openFolder")->GetPos()), IsColoured).first;
        Rect checkColumn = Middle(Item(m, u"autoStart")->GetPos());
        checkColumn.right = iconLeft;
        return ColumnsWith(shown, checkColumn, IsInk);
    };
    EXPECT_GE(markColumns(menu).first, 0);

    Click(menu, u"autoStart");
    EXPECT_EQ(MenusOpen(), 0u);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, u"autoStart");
    EXPECT_EQ(commands[0].lParam, 0);
    EXPECT_EQ(commands[0].menusOpen, 0u);
    EXPECT_FALSE(states.at(u"autoStart"));

    menu = Open(TestMenuMarkup(u"img/placeholder.png"), {200, 150}, &states);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(Item(menu, u"autoStart")->IsChecked());
    EXPECT_EQ(markColumns(menu).first, -1);
    Click(menu, u"autoStart");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].lParam, 1);
    EXPECT_TRUE(states.at(u"autoStart"));

    // Without a map the markup's state is the start, and the click still reports the new one.
    menu = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(menu, nullptr);
    Click(menu, u"autoStart");
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[2].lParam, 1);
}

TEST_F(MenuTest, RightButtonAndContextRequestsDoNothing) {
    CMenuWnd* menu = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(menu, nullptr);
    NotifyLines menuLog;
    menu->Manager().AddNotifier(&menuLog);
    CMenuElementUI* item = Item(menu, u"autoStart");
    item->SetContextMenuUsed(true);
    const platform::Point at = Centre(menu, u"autoStart");
    hl::MouseMove(at.x, at.y);
    hl::MouseDown(at.x, at.y, hl::Button::Right);
    hl::MouseUp(at.x, at.y, hl::Button::Right);
    const Rect& rc = item->GetPos();
    menu->Manager().OnContextMenu(uikit::Point{rc.left + 5, rc.top + 5});
    platform::ProcessPendingMessages();
    EXPECT_EQ(MenusOpen(), 1u);
    EXPECT_TRUE(commands.empty());
    EXPECT_FALSE(item->IsChecked());
    for (const auto& line : menuLog.lines) {
        EXPECT_FALSE(line.starts_with(u"menu:")) << "context request reported";
    }
    menu->Manager().RemoveNotifier(&menuLog);
}

TEST_F(MenuTest, PlainItemsOfTheMainMenuKeepTheirCentredText) {
    CMenuWnd* menu = Open(u"Menu.xml");
    ASSERT_NE(menu, nullptr);
    const platform::Rect placed = platform::GetWindowRect(menu->GetHWND());
    EXPECT_EQ(placed.Width(), 2 + 90 + 2);
    EXPECT_EQ(placed.Height(), 2 + 3 * 35 + 2);
    const hl::Bitmap shown = Shown(menu);
    for (const char16_t* name : {u"menuFeedback", u"menuQuestion", u"settingGamePath"}) {
        const Rect item = Middle(Item(menu, name)->GetPos());
        const auto text = ColumnsWith(shown, item, IsInk);
        ASSERT_GE(text.first, 0);
        // No column is kept for marks that no item has.
        EXPECT_NEAR(text.first - item.left, item.right - 1 - text.second, 3);
    }
    uikit::Canvas picture(shown.width, shown.height);
    PaintFrame(shown, picture, 0, 0);
    EXPECT_TRUE(picture.WritePng(KAVRIN_MENU_PREVIEW_DIR "/main-menu-preview.png"));
}

TEST_F(MenuTest, ClicksOfControlsInsideTheMenuReachTheOwnerAtOnce) {
    CMenuWnd* menu = Open(
        uR"(<Window><Font name="微软雅黑" size="13" default="true"/>
        <Menu bkcolor="#FFFFFFFF" itemtextcolor="#FF4C4C4C">
          <MenuElement name="zoom" height="32">
            <Button name="zoomIn" text="+" float="true" pos="10,6,30,26"/>
          </MenuElement>
          <MenuElement name="quit" text="退出" height="32"/>
        </Menu></Window>)");
    ASSERT_NE(menu, nullptr);
    uikit::CControlUI* button = menu->Manager().FindControl(u"zoomIn");
    ASSERT_NE(button, nullptr);
    const platform::Rect window = platform::GetWindowRect(menu->GetHWND());
    const Rect& rc = button->GetPos();
    const int x = window.left + (rc.left + rc.right) / 2;
    const int y = window.top + (rc.top + rc.bottom) / 2;
    hl::MouseMove(x, y);
    hl::Click(x, y);
    // Heard before the loop runs again, and the menu stays: the button is not an item.
    EXPECT_NE(std::ranges::find(log.lines, u"click:zoomIn"), log.lines.end());
    platform::ProcessPendingMessages();
    EXPECT_EQ(MenusOpen(), 1u);
    EXPECT_TRUE(commands.empty());
}

}  // namespace
