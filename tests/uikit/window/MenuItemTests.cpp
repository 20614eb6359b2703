// Items of one pop-up menu: separators, icons, check items, sizing and what reaches the owner.
#include "tests/uikit/window/MenuFixture.h"

using uikit::CMenuWnd;
using uikit::Rect;

namespace {

TEST_F(MenuTest, SeparatorIconAndTextShareTheMenusColumnsAndSize) {
    CMenuWnd* menu = Open(TestMenuMarkup(u"img/placeholder.png"));
    ASSERT_NE(menu, nullptr);
    const platform::Rect placed = platform::GetWindowRect(menu->GetHWND());
    EXPECT_EQ(placed.Height(), 2 + 32 + 9 + 32 + 32 + 2);
    const hl::Bitmap shown = Shown(menu);
    // The icon in its 16-pixel box, the text right of it, the other items' text in line.
    const Rect iconItem = Item(menu, u"openFolder")->GetPos();
    const auto icon = ColumnsWith(shown, iconItem, IsColoured);
    const auto text = ColumnsWith(shown, iconItem, IsInk);
    EXPECT_EQ(icon.second - icon.first + 1, 16);
    EXPECT_GT(text.first, icon.second);
    EXPECT_LT(text.second, iconItem.right - 4) << "text cut off";
    EXPECT_NEAR(ColumnsWith(shown, Item(menu, u"autoStart")->GetPos(), IsInk).first, text.first, 3);

    // The separator: never hovered nor clicked, one pixel of its colour inset by its padding.
    Hover(menu, u"openFolder");
    Click(menu, u"line");
    EXPECT_FALSE(Item(menu, u"line")->IsHot() || Item(menu, u"line")->IsSelected());
    EXPECT_EQ(MenusOpen(), 1u);
    EXPECT_TRUE(commands.empty());
    const hl::Bitmap hovered = Shown(menu);
    const Rect line = Item(menu, u"line")->GetPos();
    EXPECT_EQ(hovered.At(line.left + 8, line.top + 4), 0xFFDCDCDCu);
    EXPECT_EQ(hovered.At(line.right - 9, line.top + 4), 0xFFDCDCDCu);
    EXPECT_EQ(hovered.At(line.left + 7, line.top + 4), 0xFFFFFFFFu);
    EXPECT_EQ(hovered.At(line.left + 20, line.top + 3), 0xFFFFFFFFu);
    EXPECT_EQ(hovered.At(line.left + 20, line.top + 5), 0xFFFFFFFFu);

    // The icon column is what makes the menu wider than one without icons.
    uikit::CloseAllMenus();
    CMenuWnd* plain = Open(TestMenuMarkup(u""));
    ASSERT_NE(plain, nullptr);
    EXPECT_GE(placed.Width() - platform::GetWindowRect(plain->GetHWND()).Width(), 16);
}

TEST_F(MenuTest, CheckItemTogglesAndReportsItsNewStateToTheOwnerAndTheMap) {
    uikit::MenuCheckStates states{{u"autoStart", true}};
    // Ink left of the icon column in the check item's row: its check mark.
    const auto markShown = [this](CMenuWnd* m) {
        const hl::Bitmap shown = Shown(m);
        Rect column = Item(m, u"autoStart")->GetPos();
        column.right = ColumnsWith(shown, Item(m, u"openFolder")->GetPos(), IsColoured).first;
        return ColumnsWith(shown, column, IsInk).first >= 0;
    };
    CMenuWnd* menu = Open(TestMenuMarkup(u"img/placeholder.png"), {200, 150}, &states);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Item(menu, u"autoStart")->IsChecked());  // the map wins over the markup
    EXPECT_TRUE(markShown(menu));
    Click(menu, u"autoStart");
    EXPECT_EQ(MenusOpen(), 0u);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, u"autoStart");
    EXPECT_EQ(commands[0].lParam, 0);
    EXPECT_EQ(commands[0].menusOpen, 0u);
    EXPECT_FALSE(states.at(u"autoStart"));

    menu = Open(TestMenuMarkup(u"img/placeholder.png"), {200, 150}, &states);
    EXPECT_FALSE(markShown(menu));
    Click(menu, u"autoStart");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].lParam, 1);
    EXPECT_TRUE(states.at(u"autoStart"));
}

TEST_F(MenuTest, RightClicksDoNothingAndInnerControlsClicksReachTheOwnerAtOnce) {
    CMenuWnd* menu = Open(
        uR"(<Window><Font name="微软雅黑" size="13" default="true"/>
        <Menu bkcolor="#FFFFFFFF" itemtextcolor="#FF4C4C4C">
          <MenuElement name="zoom" height="32">
            <Button name="zoomIn" text="+" float="true" pos="10,6,30,26"/>
          </MenuElement>
          <MenuElement name="quit" text="退出" height="32"/>
        </Menu></Window>)");
    ASSERT_NE(menu, nullptr);
    const platform::Point quit = Centre(menu, Item(menu, u"quit"));
    hl::MouseDown(quit.x, quit.y, hl::Button::Right);
    hl::MouseUp(quit.x, quit.y, hl::Button::Right);
    int contextReports = 0;
    Item(menu, u"quit")->SetContextMenuUsed(true);
    Item(menu, u"quit")->OnNotify.push_back([&contextReports](uikit::NotifyRecordUI& msg) {
        contextReports += msg.type == u"menu" ? 1 : 0;
        return true;
    });
    menu->Manager().OnContextMenu(uikit::Point{10, 40});
    EXPECT_EQ(contextReports, 0);
    uikit::CControlUI* zoomIn = menu->Manager().FindControl(u"zoomIn");
    int ownHandlerRuns = 0;
    zoomIn->OnNotify.push_back([&ownHandlerRuns](uikit::NotifyRecordUI& msg) {
        ownHandlerRuns += msg.type == u"click" ? 1 : 0;
        return true;
    });
    const platform::Point button = Centre(menu, zoomIn);
    hl::MouseMove(button.x, button.y);
    hl::Click(button.x, button.y);
    EXPECT_EQ(clicks, std::vector<std::u16string>{u"zoomIn"});
    // Forwarding to the owner must not run the button's own handlers a second time.
    EXPECT_EQ(ownHandlerRuns, 1);
    platform::ProcessPendingMessages();
    EXPECT_EQ(MenusOpen(), 1u);
    EXPECT_TRUE(commands.empty());
}

TEST_F(MenuTest, MainMenuItemsKeepTheirCentredTextAndSize) {
    CMenuWnd* menu = Open(u"Menu.xml");
    ASSERT_NE(menu, nullptr);
    const platform::Rect placed = platform::GetWindowRect(menu->GetHWND());
    EXPECT_EQ(placed.Width(), 2 + 90 + 2);
    EXPECT_EQ(placed.Height(), 2 + 3 * 35 + 2);
    const hl::Bitmap shown = Shown(menu);
    for (const char16_t* name : {u"menuFeedback", u"menuQuestion", u"settingGamePath"}) {
        const Rect item = Item(menu, name)->GetPos();
        const auto text = ColumnsWith(shown, item, IsInk);
        EXPECT_NEAR(text.first - item.left, item.right - 1 - text.second, 3);
    }
    uikit::Canvas picture(shown.width, shown.height);
    PaintFrame(shown, picture, 0, 0);
    EXPECT_TRUE(picture.WritePng(KAVRIN_MENU_PREVIEW_DIR "/main-menu-preview.png"));
}

}  // namespace
