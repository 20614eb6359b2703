#include <string>
#include <vector>

#include "tests/ui/support/CatalogData.h"
#include "tests/ui/support/PagesFixture.h"
#include "ui/items/GameDetailLabeItem.h"
#include "ui/items/GameLabeItem.h"
#include "ui/items/OwnGamePackage.h"
#include "ui/items/TagChips.h"
#include "ui/items/VGameItem.h"
#include "uikit/controls/GifAnimUI.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/controls/ScrollBarUI.h"
#include "uikit/image/GifFrames.h"
#include "uikit/layout/TabLayoutUI.h"

using namespace uikit;

namespace {

template <typename T>
std::vector<T*> Items(CContainerUI* container, std::u16string_view iface) {
    std::vector<T*> items;
    for (int i = 0; container != nullptr && i < container->GetCount(); ++i) {
        items.push_back(static_cast<T*>(container->GetItemAt(i)->GetInterface(iface)));
    }
    return items;
}

std::vector<std::u16string> RowChips(OwnGamePackage* row) {
    auto* grid = static_cast<CContainerUI*>(
        Inside(row, u"gameLabelsTileLayout")->GetInterface(u"Container"));
    std::vector<std::u16string> texts;
    for (GameLabeItem* chip : Items<GameLabeItem>(grid, u"gameLabeItemUI")) {
        texts.push_back(std::u16string(Inside(chip, u"gameLabel")->GetText()));
    }
    return texts;
}

class DetailPageTest : public PagesTest {
  protected:
    std::vector<GameDetailLabeItem*> Chips() {
        return Items<GameDetailLabeItem>(Container(u"GameDetailLabelsTileLayout"),
                                         u"gameDetailLabelItemUI");
    }
    std::vector<OwnGamePackage*> Versions() {
        return Items<OwnGamePackage>(Container(u"OwnGamePackagesTileLayout"),
                                     u"OwnGamePackageItemUI");
    }
    const GamePackage& ById(int id) {
        for (const GamePackage& package : catalog) {
            if (package.id == id) {
                return package;
            }
        }
        ADD_FAILURE() << "no package " << id;
        return catalog.front();
    }
};

TEST(TagChips, EmptyPiecesGoBlanksStayAndShortTextsGetWiderChips) {
    EXPECT_EQ(SplitTags(u",策略,,即时战略,"), (std::vector<std::u16string>{u"策略", u"即时战略"}));
    EXPECT_EQ(SplitTags(u" a , b"), (std::vector<std::u16string>{u" a ", u" b"}));
    EXPECT_TRUE(SplitTags(u"").empty());
    EXPECT_TRUE(SplitTags(u",,,").empty());
    EXPECT_EQ(ChipWidth(0), 0);
    EXPECT_EQ(ChipWidth(3), 72);
    EXPECT_EQ(ChipWidth(4), 68);
    EXPECT_GT(ChipWidth(size_t{1} << 40), 0) << "absurd lengths do not overflow";
}

TEST_F(DetailPageTest, APressedTileOpensItsGameWithEveryVersionInCatalogueOrder) {
    TestServer server;
    LoadCatalog(server);
    pages->FillLibrary();
    manager->LayoutIfNeeded();
    // The first tile is 1001, the first of the three versions of game 1.
    CControlUI* tile = Container(u"gameTileLayout")->GetItemAt(0);
    manager->OnLButtonDown(Centre(tile));
    ASSERT_EQ(Posted().size(), 1u);
    const auto& package = *reinterpret_cast<const GamePackage*>(Posted()[0].wParam);
    ASSERT_EQ(package.id, 1001);
    pages->ShowGameDetail(package);

    EXPECT_EQ(static_cast<CTabLayoutUI*>(Find(u"gameItemsTab"))->GetCurSel(), 1);
    EXPECT_EQ(Find(u"gameName")->GetText(), package.name);
    // Every frame of the animation the package names, starting at the first.
    const GifAnimation animation =
        LoadGifAnimation(u"img/gif/" + package.gameDetailPage, SkinArchive::Instance());
    ASSERT_GT(animation.frames.size(), 1u) << "img/gif/cs.gif";
    EXPECT_EQ(Find<CGifAnimUI>(u"gameDetailGif")->GetFrameCount(),
              static_cast<int>(animation.frames.size()));
    EXPECT_EQ(Find<CGifAnimUI>(u"gameDetailGif")->GetCurrentFrame(), 0);
    EXPECT_EQ(Find(u"rateLabel")->GetText(), package.rate);
    EXPECT_EQ(Find<CLabelUI>(u"rateLabel")->GetTextColor(), 0xFF1B7AFFu);
    EXPECT_EQ(Find(u"issueDateLabel")->GetText(), package.issueDate);
    EXPECT_EQ(Find(u"developerLabel")->GetText(), package.developer);
    EXPECT_EQ(Find(u"supportLanguagesLabel")->GetText(), package.supportLanguages);
    EXPECT_EQ(Find(u"sizeLabel")->GetText(), package.size);

    // "射击,,经典,多人"
    const std::vector<GameDetailLabeItem*> chips = Chips();
    ASSERT_EQ(chips.size(), 3u);
    EXPECT_EQ(Inside(chips[1], u"gameDetailLabel")->GetText(), u"经典");
    EXPECT_EQ(Inside(chips[2], u"gameDetailLabel")->GetText(), u"多人");
    EXPECT_EQ(chips[0]->GetFixedWidth(), 48);

    const std::vector<OwnGamePackage*> versions = Versions();
    ASSERT_EQ(versions.size(), 3u);
    const int ids[] = {1001, 1002, 1003};
    for (size_t i = 0; i < versions.size(); ++i) {
        EXPECT_EQ(versions[i]->Package().id, ids[i]);
        EXPECT_EQ(Inside(versions[i], u"versionName")->GetText(), versions[i]->Package().name);
        CControlUI* download = Inside(versions[i], u"versionNowDownLoadBtn");
        EXPECT_EQ(download->GetTag(), reinterpret_cast<uintptr_t>(&versions[i]->Package()));
        EXPECT_TRUE(download->IsVisible());
    }
    EXPECT_EQ(RowChips(versions[0]), (std::vector<std::u16string>{u"射击", u"经典", u"多人"}));
    EXPECT_EQ(RowChips(versions[2]), (std::vector<std::u16string>{u"射击", u"多人"}));
}

TEST_F(DetailPageTest, ChipsFollowTheTagTextAndLoneGamesShowOneVersion) {
    auto data = CopyOfDemoData();
    WriteWholeFile(*data / "catalog.json",
                   CatalogJson({{1, 1, "1", "A", "ab,abc,abcd,abcdef, 策略 "},
                                {2, 2, "1", "B", ",策略,,即时战略,"},
                                {3, 1, "0", "A2", ""},
                                {4, 3, "1", "C", "", "cs.jpg", "missing.gif"}}));
    TestServer server({"--data", data->path().string()});
    LoadCatalog(server);
    ASSERT_EQ(catalog.size(), 4u);

    pages->ShowGameDetail(ById(1));
    std::vector<int> widths;
    for (GameDetailLabeItem* chip : Chips()) {
        widths.push_back(chip->GetFixedWidth());
    }
    EXPECT_EQ(widths, (std::vector<int>{48, 72, 68, 102, 68}));
    EXPECT_EQ(Inside(Chips()[4], u"gameDetailLabel")->GetText(), u" 策略 ");
    ASSERT_EQ(Versions().size(), 2u);
    EXPECT_EQ(Versions()[1]->Package().id, 3);
    EXPECT_TRUE(RowChips(Versions()[1]).empty());

    pages->ShowGameDetail(ById(2));
    ASSERT_EQ(Chips().size(), 2u);
    EXPECT_EQ(Inside(Chips()[0], u"gameDetailLabel")->GetText(), u"策略");
    EXPECT_EQ(Inside(Chips()[1], u"gameDetailLabel")->GetText(), u"即时战略");
    ASSERT_EQ(Versions().size(), 1u);
    EXPECT_EQ(RowChips(Versions()[0]), (std::vector<std::u16string>{u"策略", u"即时战略"}));

    pages->ShowGameDetail(ById(4));
    EXPECT_EQ(Find<CGifAnimUI>(u"gameDetailGif")->GetFrameCount(), 0) << "named by the package";
    EXPECT_TRUE(Chips().empty());
    ASSERT_EQ(Versions().size(), 1u);
    EXPECT_EQ(&Versions()[0]->Package(), &ById(4));
}

TEST_F(DetailPageTest, ASecondGameReplacesTheFirstAndTheOldItemsAreReleasedSafely) {
    TestServer server;
    LoadCatalog(server);
    pages->ShowGameDetail(ById(1001));
    manager->LayoutIfNeeded();
    // The pointer rests on a version row of the first game and holds its download button.
    const std::vector<OwnGamePackage*> first = Versions();
    ASSERT_EQ(first.size(), 3u);
    const Point button = Centre(Inside(first[0], u"versionNowDownLoadBtn"));
    manager->OnMouseMove(button);
    manager->OnLButtonDown(button);

    pages->ShowGameDetail(ById(2001));
    ASSERT_EQ(Versions().size(), 2u);
    EXPECT_EQ(Versions()[0]->Package().id, 2001);
    EXPECT_EQ(Versions()[1]->Package().id, 2002);
    ASSERT_EQ(Chips().size(), 3u);  // "即时战略,,经典,对战"
    EXPECT_EQ(Inside(Chips()[0], u"gameDetailLabel")->GetText(), u"即时战略");
    EXPECT_EQ(Find(u"gameName")->GetText(), ById(2001).name);
    EXPECT_EQ(manager->DelayedCleanupCount(), 3u + 3u) << "three rows and three chips";

    // The release of the button that started it all, and a notification to every receiver,
    // while the old items wait; then the window's cleanup deletes them.
    manager->OnLButtonUp(button);
    manager->SendNotify(Find(u"gameName"), u"probe");
    manager->DeliverAsyncNotifications();
    EXPECT_EQ(manager->DelayedCleanupCount(), 0u);
    manager->SendNotify(Find(u"gameName"), u"probe");
    manager->OnMouseMove(button);
    manager->OnMouseMove(Point{5, 5});
    Render();
    EXPECT_EQ(Versions().size(), 2u);
}

}  // namespace

namespace {

// A game with more versions than the page has room for: the server's first package five times.
class LongDetailPageTest : public DetailPageTest {
  protected:
    void OpenFiveVersions() {
        TestServer server;
        LoadCatalog(server);
        const GamePackage first = catalog.front();
        catalog.assign(5, first);
        pages->ShowGameDetail(catalog.front());
        manager->LayoutIfNeeded();
    }
    bool BarShown(std::u16string_view name) {
        CScrollBarUI* bar = Container(name)->GetVerticalScrollBar();
        return bar != nullptr && bar->IsVisible();
    }
};

TEST_F(LongDetailPageTest, OnlyTheVersionListScrollsAndItEndsInsideThePage) {
    OpenFiveVersions();
    ASSERT_EQ(Versions().size(), 5u);
    EXPECT_FALSE(BarShown(u"gameDetailPage")) << "a second, outer scroll bar";
    EXPECT_TRUE(BarShown(u"OwnGamePackagesTileLayout"));
    const Rect page = Find(u"gameDetailPage")->GetPos();
    const Rect list = Find(u"OwnGamePackagesTileLayout")->GetPos();
    EXPECT_LE(list.bottom, page.bottom);
    EXPECT_GE(list.Height(), 2 * 123) << "two versions at least in view";
    EXPECT_LE(list.right, page.right);

    const Rect back = Find(u"returnBtn")->GetPos();
    const Rect title = Find(u"gameName")->GetPos();
    const int firstRow = Versions()[0]->GetPos().top;
    for (const Point at : {Centre(Find(u"gameName")), Centre(Find(u"gameDetailGif")),
                           Centre(Find(u"OwnGamePackagesTileLayout"))}) {
        manager->OnMouseWheel(at, -120);
        manager->OnMouseWheel(at, -120);
        manager->LayoutIfNeeded();
        EXPECT_EQ(Find(u"returnBtn")->GetPos(), back) << "wheel at " << at.x << "," << at.y;
        EXPECT_EQ(Find(u"gameName")->GetPos(), title);
    }
    EXPECT_LT(Versions()[0]->GetPos().top, firstRow) << "the list itself scrolled";
    WritePagePreview(*Render(), "detail-five-versions-scrolled");
}

}  // namespace
