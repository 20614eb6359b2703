#include <gtest/gtest.h>

#include "tools/skinpreview/SkinPreview.h"
#include "uikit/image/ImageData.h"
#include "uikit/image/SkinArchive.h"

using namespace uikit;

namespace {

PreviewResult Render(PreviewRequest request) {
    PreviewResult result = RenderSkinPreview(request);
    EXPECT_NE(result.canvas, nullptr) << result.error;
    return result;
}

uint32_t At(const PreviewResult& result, const std::u16string& control, int dx, int dy) {
    const auto found = result.places.find(control);
    if (found == result.places.end() || !result.canvas) {
        ADD_FAILURE() << "no place for a control";
        return 0;
    }
    return result.canvas->Pixel(found->second.left + dx, found->second.top + dy);
}

TEST(SkinPreview, TheMainWindowHasAWhiteHeadItsNavigationAndTheFloatingHelpButton) {
    PreviewRequest request;
    request.file = u"MainWnd.xml";
    request.probes = {u"head", u"GameBookBtn", u"MyDownload", u"kefuBtn", u"gameTileLayout"};
    const PreviewResult main = Render(request);
    ASSERT_TRUE(main.canvas);
    // 1024x720 with the 14-pixel shadow around it.
    EXPECT_EQ(main.canvas->Width(), 1024 + 28);
    EXPECT_EQ(main.canvas->Height(), 720 + 28);
    EXPECT_EQ(main.places.at(u"head"), (Rect{14, 14, 14 + 1024, 14 + 50}));
    EXPECT_EQ(At(main, u"head", 400, 5), 0xFFFFFFFFu);
    EXPECT_EQ(At(main, u"GameBookBtn", 5, 15), 0xFF347AEAu) << "selected at start";
    EXPECT_EQ(At(main, u"MyDownload", 5, 15), 0xFFFFFFFFu);
    EXPECT_EQ(main.places.at(u"kefuBtn"), (Rect{14 + 915, 14 + 615, 14 + 1010, 14 + 710}));
    EXPECT_EQ(main.places.at(u"gameTileLayout").Width(), 805);
    // The shadow darkens the frame next to the window and fades out at the edge.
    EXPECT_LT(main.canvas->Pixel(12, 300) & 0xFF, main.canvas->Pixel(2, 300) & 0xFF);
}

TEST(SkinPreview, TheMessageWindowButtonsAreBlueWithWhiteCaptions) {
    PreviewRequest request;
    request.file = u"MessageWnd.xml";
    request.probes = {u"btn_ok", u"btn_cancel", u"titleTips"};
    const PreviewResult message = Render(request);
    ASSERT_TRUE(message.canvas);
    EXPECT_EQ(At(message, u"btn_ok", 6, 6), 0xFF347AEAu);
    EXPECT_EQ(At(message, u"btn_cancel", 90, 30), 0xFF347AEAu);
    EXPECT_EQ(message.places.at(u"btn_ok").Width(), 96);
    bool whiteInk = false;
    const Rect ok = message.places.at(u"btn_ok");
    for (int x = ok.left; x < ok.right && !whiteInk; ++x) {
        whiteInk = message.canvas->Pixel(x, (ok.top + ok.bottom) / 2) == 0xFFFFFFFFu;
    }
    EXPECT_TRUE(whiteInk) << "the caption 确定 is drawn in white";
}

TEST(SkinPreview, ACoverFillsItsTileAboveTheCaption) {
    PreviewRequest request;
    request.file = u"GameItem.xml";
    request.asItem = true;
    request.settings = {{u"gameOption", u"bkimage", u"img/cover/cs.jpg"},
                        {u"gameInfoNameLabel", u"text", u"反恐精英"}};
    request.probes = {u"gameOption", u"gameItemBk"};
    const PreviewResult tile = Render(request);
    ASSERT_TRUE(tile.canvas);
    EXPECT_EQ(tile.places.at(u"gameOption").Width(), 170);
    EXPECT_EQ(tile.places.at(u"gameOption").Height(), 225);
    const auto cover = LoadImageUI(u"img/cover/cs.jpg", u"", 0, SkinArchive::Instance());
    ASSERT_NE(cover, nullptr);
    for (const auto& [x, y] : {std::pair{85, 10}, {20, 200}, {150, 120}}) {
        EXPECT_EQ(At(tile, u"gameOption", x, y), cover->Pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(At(tile, u"gameItemBk", 2, 2), 0xFFF8FDFFu) << "the tile's own background";
}

TEST(SkinPreview, AFileThatIsNotInTheSkinReportsWhy) {
    PreviewRequest request;
    request.file = u"NoSuchWindow.xml";
    const PreviewResult missing = RenderSkinPreview(request);
    EXPECT_EQ(missing.canvas, nullptr);
    EXPECT_NE(missing.error.find("Could not find ziped file"), std::string::npos) << missing.error;
}

}  // namespace
