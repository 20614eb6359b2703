#include <set>
#include <vector>

#include "context/Messages.h"
#include "platform/headless/HeadlessInput.h"
#include "tests/ui/support/CatalogData.h"
#include "tests/ui/support/PagesFixture.h"
#include "ui/items/TileName.h"
#include "ui/items/VGameItem.h"
#include "uikit/controls/ButtonUI.h"

using namespace uikit;

namespace {

std::vector<VGameItem*> Tiles(CContainerUI* grid) {
    std::vector<VGameItem*> tiles;
    for (int i = 0; grid != nullptr && i < grid->GetCount(); ++i) {
        tiles.push_back(static_cast<VGameItem*>(grid->GetItemAt(i)->GetInterface(u"VGameItemUI")));
    }
    return tiles;
}

TEST(TileName, TheFirstContainedShortNameWinsExactlyAsWritten) {
    EXPECT_EQ(TileName(u"反恐精英CS1.6 经典版"), u"反恐精英");
    EXPECT_EQ(TileName(u"CS1.6"), u"反恐精英");
    EXPECT_EQ(TileName(u"cs1.6 怀旧"), u"cs1.6 怀旧");
    EXPECT_EQ(TileName(u"魔兽争霸3：冰封王座 1.24e"), u"魔兽争霸");
    EXPECT_EQ(TileName(u"魔兽争霸3:冰封王座"), u"魔兽争霸3:冰封王座") << "ASCII colon";
    EXPECT_EQ(TileName(u"新红色警戒2：共和国之辉"), u"红色警戒");
    EXPECT_EQ(TileName(u"红色警戒2：共和国之辉 CS1.6"), u"反恐精英") << "rule order, not position";
    EXPECT_EQ(TileName(u""), u"");
}

TEST_F(PagesTest, TheDemoCatalogueGivesOneTilePerLabelledPackageInOrder) {
    TestServer server;
    LoadCatalog(server);
    pages->FillLibrary();
    const std::vector<VGameItem*> tiles = Tiles(Container(u"gameTileLayout"));

    std::vector<const GamePackage*> labelled;
    for (const GamePackage& package : catalog) {
        if (package.InLibrary()) {
            labelled.push_back(&package);
        }
    }
    ASSERT_EQ(tiles.size(), labelled.size());
    // One tile per game: the other versions of a game are on its detail page.
    ASSERT_EQ(tiles.size(), 9u);
    const std::vector<std::u16string> captions = {u"反恐精英",   u"魔兽争霸", u"红色警戒",
                                                  u"江湖侠影录", u"铁甲洪流", u"星海远征",
                                                  u"幻境迷踪",   u"沙海孤城", u"深蓝潜航"};
    std::set<std::u16string> covers;
    for (size_t i = 0; i < tiles.size(); ++i) {
        covers.insert(labelled[i]->gameCoverPage);
        ASSERT_NE(tiles[i], nullptr);
        EXPECT_EQ(&tiles[i]->Package(), labelled[i]);
        EXPECT_EQ(Inside(tiles[i], u"gameInfoNameLabel")->GetText(), captions[i]);
        EXPECT_EQ(Inside(tiles[i], u"gameOption")->GetBkImage(),
                  u"img/cover/" + labelled[i]->gameCoverPage);
    }
    EXPECT_EQ(covers.size(), tiles.size()) << "no two tiles look alike";
    // The library does not switch pages by itself.
    EXPECT_TRUE(Find(u"gameLayout")->IsVisible());
}

TEST_F(PagesTest, OnlyTheSingleOneLabelCountsAndUnknownCoversLeaveAWorkingTile) {
    auto data = CopyOfDemoData();
    WriteWholeFile(*data / "catalog.json",
                   CatalogJson({{1, 1, "0", "A", ""},
                                {2, 2, "1", "cs1.6 小写", "", "nothing.jpg"},
                                {3, 3, "", "C", ""},
                                {4, 4, "11", "D", ""},
                                {5, 5, "1", "红色警戒2：共和国之辉CS1.6", ""},
                                {6, 6, " 1", "F", ""}}));
    TestServer server({"--data", data->path().string()});
    LoadCatalog(server);
    pages->FillLibrary();
    const std::vector<VGameItem*> tiles = Tiles(Container(u"gameTileLayout"));
    ASSERT_EQ(tiles.size(), 2u);
    EXPECT_EQ(tiles[0]->Package().id, 2);
    EXPECT_EQ(Inside(tiles[0], u"gameInfoNameLabel")->GetText(), u"cs1.6 小写");
    EXPECT_EQ(Inside(tiles[1], u"gameInfoNameLabel")->GetText(), u"反恐精英");
    // A cover the skin does not hold draws nothing and breaks nothing: the tile shows through.
    const std::unique_ptr<Canvas> shot = Render();
    const Rect& missing = Inside(tiles[0], u"gameOption")->GetPos();
    int covered = 0;
    for (int y = missing.top; y < missing.bottom; ++y) {
        for (int x = missing.left; x < missing.right; ++x) {
            covered += shot->Pixel(x, y) != 0xFFF8FDFFu ? 1 : 0;
        }
    }
    EXPECT_EQ(covered, 0);
    const Rect& known = Inside(tiles[1], u"gameOption")->GetPos();
    EXPECT_NE(shot->Pixel((known.left + known.right) / 2, (known.top + known.bottom) / 2),
              0xFFF8FDFFu);
    manager->OnLButtonDown(Centre(tiles[0]));
    ASSERT_EQ(Posted().size(), 1u);
    EXPECT_EQ(Posted()[0].wParam, reinterpret_cast<uintptr_t>(&catalog[1]));
}

// The server names a cover; a name that would be read as image attributes or as a path outside
// the cover folder shows no cover at all, however the rest of the name is written.
TEST_F(PagesTest, ACoverNameThatIsMoreThanAFileNameShowsNoCover) {
    auto data = CopyOfDemoData();
    const std::vector<std::string> hostile = {
        "a='' corner='2147483647,0,0,0' file='img/cover/cs.jpg'", "../cover/cs.jpg",
        "/usr/share/pixmaps/debian-logo.png", "..", "cs.jpg\\u0001"};
    std::vector<GameJson> games;
    for (size_t i = 0; i < hostile.size(); ++i) {
        games.push_back(
            {static_cast<int>(i + 1), static_cast<int>(i + 1), "1", "G", "", hostile[i]});
    }
    games.push_back({9, 9, "1", "CS1.6", "", "cs.jpg"});
    WriteWholeFile(*data / "catalog.json", CatalogJson(games));
    TestServer server({"--data", data->path().string()});
    LoadCatalog(server);
    pages->FillLibrary();
    const std::vector<VGameItem*> tiles = Tiles(Container(u"gameTileLayout"));
    ASSERT_EQ(tiles.size(), hostile.size() + 1);
    const std::unique_ptr<Canvas> shot = Render();
    for (size_t i = 0; i < hostile.size(); ++i) {
        CControlUI* cover = Inside(tiles[i], u"gameOption");
        EXPECT_EQ(cover->GetBkImage(), u"") << hostile[i];
        const Rect& area = cover->GetPos();
        int covered = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                covered += shot->Pixel(x, y) != 0xFFF8FDFFu ? 1 : 0;
            }
        }
        EXPECT_EQ(covered, 0) << hostile[i];
    }
    EXPECT_EQ(Inside(tiles.back(), u"gameOption")->GetBkImage(), u"img/cover/cs.jpg");
}

TEST_F(PagesTest, ATileLightsUpUnderThePointerAndAPressPostsItsPackage) {
    TestServer server;
    LoadCatalog(server);
    pages->FillLibrary();
    manager->LayoutIfNeeded();
    const std::vector<VGameItem*> tiles = Tiles(Container(u"gameTileLayout"));
    ASSERT_GE(tiles.size(), 2u);
    CControlUI* background = Inside(tiles[1], u"gameItemBk");

    // Over the caption and over the cover alike: neither takes the pointer from the tile.
    const Point caption = Centre(Inside(tiles[1], u"gameInfoNameLabel"));
    manager->OnMouseMove(caption);
    EXPECT_EQ(background->GetBkColor(), 0xFFE5F0F5u);
    EXPECT_EQ(platform::headless::CurrentCursor(), platform::Cursor::Hand);
    manager->OnMouseMove(Centre(Inside(tiles[1], u"gameOption")));
    EXPECT_EQ(background->GetBkColor(), 0xFFE5F0F5u);
    manager->OnMouseMove(Point{5, 5});
    EXPECT_EQ(background->GetBkColor(), 0xFFF8FDFFu);
    EXPECT_EQ(platform::headless::CurrentCursor(), platform::Cursor::Arrow);

    manager->OnMouseMove(caption);
    manager->OnLButtonDown(caption);
    ASSERT_EQ(Posted().size(), 1u) << "the press opens, not the release";
    manager->OnLButtonUp(caption);
    manager->OnLButtonDblClk(caption);
    manager->OnLButtonUp(caption);
    const std::vector<platform::PostedMessage> messages = Posted();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, MSG_SHOW_GAME_DETAIL);
    EXPECT_EQ(messages[0].message, 1143u);
    EXPECT_EQ(messages[0].wParam, reinterpret_cast<uintptr_t>(&tiles[1]->Package()));
    EXPECT_EQ(messages[0].lParam, 0);
}

}  // namespace

namespace {

TEST_F(PagesTest, AWheelNotchMovesTheLibraryOneRowOfTiles) {
    TestServer server;
    LoadCatalog(server);
    // Twice the demo library: five rows, more than two screens of them to scroll through.
    const GameCatalog demo = catalog;
    catalog.insert(catalog.end(), demo.begin(), demo.end());
    pages->FillLibrary();
    manager->LayoutIfNeeded();
    const std::vector<VGameItem*> tiles = Tiles(Container(u"gameTileLayout"));
    ASSERT_EQ(tiles.size(), 18u);
    const int row = tiles[4]->GetPos().top - tiles[0]->GetPos().top;
    EXPECT_EQ(row, 270 + 17);

    const int top = tiles[0]->GetPos().top;
    const Point over = Centre(tiles[1]);
    manager->OnMouseWheel(over, -120);
    manager->LayoutIfNeeded();
    EXPECT_EQ(tiles[0]->GetPos().top, top - row) << "one notch down";
    manager->OnMouseWheel(over, -120);
    manager->LayoutIfNeeded();
    EXPECT_EQ(tiles[0]->GetPos().top, top - 2 * row);
    manager->OnMouseWheel(over, 120);
    manager->LayoutIfNeeded();
    EXPECT_EQ(tiles[0]->GetPos().top, top - row) << "one notch up";

    // At the end the last row is in view, not beyond it.
    for (int i = 0; i < 5; ++i) {
        manager->OnMouseWheel(over, -120);
    }
    manager->LayoutIfNeeded();
    const Rect grid = Find(u"gameTileLayout")->GetPos();
    EXPECT_EQ(tiles.back()->GetPos().bottom, grid.bottom);
    WritePagePreview(*Render(), "library-scrolled-to-the-end");
}

TEST_F(PagesTest, TheLibraryShowsItsLoadingNoticeUntilTheCatalogueFillsIt) {
    EXPECT_TRUE(Find(u"libraryLoading")->IsVisible());
    EXPECT_FALSE(Find(u"libraryOffline")->IsVisible());
    WritePagePreview(*Render(), "library-loading");
    pages->ShowLibraryOffline();
    EXPECT_FALSE(Find(u"libraryLoading")->IsVisible());
    EXPECT_TRUE(Find(u"libraryRetryBtn")->IsVisible());
    const auto shot = Render();
    WritePagePreview(*shot, "library-offline");
    // The button is drawn in the skin's blue with its white text inside.
    const Rect button = Find(u"libraryRetryBtn")->GetPos();
    EXPECT_EQ(shot->Pixel(button.left + 6, button.top + 4), 0xFF347AEAu);
    const Rect notice = Find(u"libraryOffline")->GetPos();
    const Rect page = Find(u"gameLayout")->GetPos();
    EXPECT_NEAR((button.left + button.right) / 2, (page.left + page.right) / 2, 2)
        << "centred on the page";
    EXPECT_LT(notice.bottom, page.bottom);

    // Without a way to call the server again, retry leaves the notice as it is.
    pages->RetryLibrary();
    EXPECT_TRUE(Find(u"libraryOffline")->IsVisible());
    EXPECT_FALSE(Find(u"libraryLoading")->IsVisible());
}

}  // namespace
