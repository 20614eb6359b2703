#include <set>

#include "tests/ui/support/PagesFixture.h"

using namespace uikit;

namespace {

// Colours inside a rectangle of the picture; a drawn cover has many, an empty area one.
size_t ColoursIn(const Canvas& canvas, const Rect& rc) {
    std::set<uint32_t> colours;
    for (int y = rc.top; y < rc.bottom; y += 3) {
        for (int x = rc.left; x < rc.right; x += 3) {
            colours.insert(canvas.Pixel(x, y));
        }
    }
    return colours.size();
}

TEST_F(PagesTest, TheFilledLibraryAndADetailPageDrawCoversCaptionsAndChips) {
    TestServer server;
    LoadCatalog(server);
    pages->FillLibrary();
    std::unique_ptr<Canvas> library = Render();
    EXPECT_TRUE(library->WritePng("/tmp/kavrin-library.png"));
    CContainerUI* grid = Container(u"gameTileLayout");
    ASSERT_GE(grid->GetCount(), 8);
    for (int i = 0; i < 8; ++i) {  // the two rows in view
        CControlUI* tile = grid->GetItemAt(i);
        EXPECT_GT(ColoursIn(*library, Inside(tile, u"gameOption")->GetPos()), 20u) << i;
        EXPECT_GT(ColoursIn(*library, Inside(tile, u"gameInfoNameLabel")->GetPos()), 2u) << i;
    }

    pages->ShowGameDetail(catalog[3]);
    std::unique_ptr<Canvas> detail = Render();
    EXPECT_TRUE(detail->WritePng("/tmp/kavrin-detail.png"));
    EXPECT_GT(ColoursIn(*detail, Find(u"gameDetailGif")->GetPos()), 20u);
    CContainerUI* chips = Container(u"GameDetailLabelsTileLayout");
    ASSERT_GT(chips->GetCount(), 0);
    EXPECT_GT(ColoursIn(*detail, chips->GetItemAt(0)->GetPos()), 2u);
    EXPECT_GT(ColoursIn(*detail, Container(u"OwnGamePackagesTileLayout")->GetItemAt(0)->GetPos()),
              10u);
}

}  // namespace
