#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>

#include "tests/uikit/support/SkinFixture.h"
#include "tests/uikit/support/ZipBuilder.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/ShapePainter.h"
#include "uikit/image/GifFrames.h"
#include "uikit/image/ImageData.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/image/ImagePainter.h"
#include "uikit/resources/ResourceTablesUI.h"

namespace {

using namespace uikit;

uint8_t Alpha(uint32_t pixel) {
    return static_cast<uint8_t>(pixel >> 24);
}

TEST(ShapeDrawing, RoundedRectangleLeavesItsCornersEmpty) {
    Canvas canvas(40, 40);
    FillRoundRect(canvas.Context(), {0, 0, 40, 40}, 20, 20, kRed);
    EXPECT_EQ(Alpha(canvas.Pixel(0, 0)), 0);
    EXPECT_EQ(Alpha(canvas.Pixel(39, 39)), 0);
    EXPECT_EQ(canvas.Pixel(20, 20), kRed);
    EXPECT_EQ(canvas.Pixel(20, 0), kRed);  // the straight edge stays full
    EXPECT_EQ(canvas.Pixel(0, 20), kRed);
}

TEST(ShapeDrawing, BordersAreDrawnInsideTheRectangle) {
    Canvas canvas(30, 30);
    DrawBorder(canvas.Context(), {5, 5, 25, 25}, 2, kBlue);
    EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
    EXPECT_EQ(canvas.Pixel(6, 15), kBlue);
    EXPECT_EQ(canvas.Pixel(24, 24), kBlue);
    EXPECT_EQ(canvas.Pixel(7, 7), 0u);
    EXPECT_EQ(canvas.Pixel(4, 4), 0u);
    EXPECT_EQ(canvas.Pixel(25, 25), 0u);
}

TEST(ShapeDrawing, TransparentColourPaintsNothingAndTranslucentBlends) {
    Canvas canvas(10, 10);
    canvas.Clear(0xFFFFFFFF);
    FillRect(canvas.Context(), canvas.Bounds(), 0x00FF0000);
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFFFFFFu);
    FillRect(canvas.Context(), canvas.Bounds(), 0x80000000);
    const uint32_t pixel = canvas.Pixel(5, 5);
    EXPECT_EQ(Alpha(pixel), 0xFF);
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 127, 2);
}

TEST(ShapeDrawing, GradientRunsFromTheFirstColourToTheSecond) {
    Canvas canvas(10, 100);
    FillGradient(canvas.Context(), canvas.Bounds(), 0xFF000000, 0xFFFFFFFF, true);
    const int top = canvas.Pixel(5, 0) & 0xFF;
    const int middle = canvas.Pixel(5, 50) & 0xFF;
    const int bottom = canvas.Pixel(5, 99) & 0xFF;
    EXPECT_LT(top, 10);
    EXPECT_NEAR(middle, 128, 6);
    EXPECT_GT(bottom, 245);
}

TEST(ShapeDrawing, ClipScopesLimitDrawingUntilTheyEnd) {
    Canvas canvas(40, 40);
    {
        ClipScope clip(canvas.Context(), {10, 10, 30, 30}, 20, 20);
        FillRect(canvas.Context(), canvas.Bounds(), kGreen);
    }
    EXPECT_EQ(canvas.Pixel(5, 5), 0u);
    EXPECT_EQ(Alpha(canvas.Pixel(10, 10)), 0);  // the rounded clip cut the corner
    EXPECT_EQ(canvas.Pixel(20, 20), kGreen);
    FillRect(canvas.Context(), {0, 0, 2, 2}, kGreen);
    EXPECT_EQ(canvas.Pixel(1, 1), kGreen);
}

TEST(ImageDecoding, MaskColourBecomesTransparent) {
    const auto masked = LoadImageUI(u"img/placeholder.png", u"", kMagenta, LinkedSkin());
    ASSERT_NE(masked, nullptr);
    EXPECT_EQ(masked->Pixel(11, 11), 0u);
    EXPECT_TRUE(masked->hasAlpha);
    EXPECT_EQ(masked->Pixel(0, 0), kRed);

    const auto plain = LoadImageUI(u"img/placeholder.png", u"", 0, LinkedSkin());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->Pixel(11, 11), kMagenta);
    EXPECT_FALSE(plain->hasAlpha);
}

TEST(ImageDecoding, PixelsArePremultiplied) {
    const uint8_t rgba[] = {200, 100, 50, 128};
    const auto image = ImageFromRgba(rgba, 1, 1, 0);
    EXPECT_EQ(image->Pixel(0, 0), 0x80643219u);  // 200*128/255=100, 100*128/255=50, 50*128/255=25
    EXPECT_TRUE(image->hasAlpha);
}

TEST(ImageDecoding, ColourImagesAndUndecodableBytes) {
    const auto color = LoadImageUI(u"#FF102030", kColorResType, 0, LinkedSkin());
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->Pixel(0, 0), 0xFF102030u);
    const uint8_t junk[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(DecodeImage(junk, 0), nullptr);
    EXPECT_EQ(LoadImageUI(u"img/none.png", u"", 0, LinkedSkin()), nullptr);
}

// Two 1x1 frames, red for 100 ms then blue for 250 ms.
constexpr uint8_t kTwoFrameGif[] = {
    'G',  'I',  'F', '8', '9', 'a',  1, 0, 1, 0, 0x80, 0, 0,  // screen, two-colour table
    0xFF, 0,    0,   0,   0,   0xFF,                          // red, blue
    0x21, 0xF9, 4,   0,   10,  0,    0, 0,                    // 10/100 s
    0x2C, 0,    0,   0,   0,   1,    0, 1, 0, 0, 2,    2, 0x44, 0x01, 0,  // pixel 0
    0x21, 0xF9, 4,   0,   25,  0,    0, 0,                                // 25/100 s
    0x2C, 0,    0,   0,   0,   1,    0, 1, 0, 0, 2,    2, 0x4C, 0x01, 0,  // pixel 1
    0x3B};

TEST(ImageDecoding, AnimatedGifGivesEveryFrameAndItsDelay) {
    const GifAnimation gif = DecodeGifFrames(kTwoFrameGif);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.delaysMs, (std::vector<int>{100, 250}));
    EXPECT_EQ(gif.frames[0]->Pixel(0, 0), kRed);
    EXPECT_EQ(gif.frames[1]->Pixel(0, 0), kBlue);
    EXPECT_TRUE(DecodeGifFrames(std::span<const uint8_t>(kTwoFrameGif, 20)).frames.empty());

    SkinArchive archive;
    archive.SetFromMemory(MakeZip(
        {{"img/gif/loading.gif", std::string(std::begin(kTwoFrameGif), std::end(kTwoFrameGif))}}));
    EXPECT_EQ(LoadGifAnimation(u"IMG\\gif\\Loading.gif", archive).frames.size(), 2u);
    EXPECT_TRUE(LoadGifAnimation(u"img/gif/none.gif", archive).frames.empty());
}

class ImageDrawing : public ::testing::Test {
  protected:
    // Draws the placeholder with the descriptor into a 100x60 control at the canvas origin.
    void Draw(std::u16string_view descriptor) {
        canvas_.Clear();
        ImageDescriptor d = ParseImageDescriptor(descriptor);
        ASSERT_TRUE(DrawImageUI(canvas_.Context(), resources_, d, kItem, canvas_.Bounds()));
    }
    uint32_t At(int x, int y) const { return canvas_.Pixel(x, y); }

    static constexpr Rect kItem{0, 0, 100, 60};
    Canvas canvas_{120, 80};
    ResourceTablesUI resources_{LinkedSkin()};
};

TEST_F(ImageDrawing, NinePartStretchKeepsCornersOneToOne) {
    Draw(u"file='img/placeholder.png' corner='4,4,4,4'");
    for (const auto& [x, y] :
         {std::pair{0, 0}, {3, 3}, {96, 0}, {99, 3}, {0, 56}, {3, 59}, {96, 56}, {99, 59}}) {
        EXPECT_EQ(At(x, y), kRed) << x << "," << y;
    }
    EXPECT_NE(At(4, 4), kRed);
    EXPECT_NE(At(95, 55), kRed);
    EXPECT_EQ(At(50, 1), kBlue);  // top edge stretched along its length only
    EXPECT_EQ(At(1, 30), kBlue);
    EXPECT_EQ(At(20, 15), kGreen);
    EXPECT_EQ(At(50, 30), kMagenta);
    EXPECT_EQ(At(105, 30), 0u);  // nothing beyond the control
}

TEST_F(ImageDrawing, HoleLeavesTheCentreUnpaintedAndMaskClearsPixels) {
    Draw(u"file='img/placeholder.png' corner='4,4,4,4' hole='true'");
    EXPECT_EQ(At(20, 15), 0u);
    EXPECT_EQ(At(50, 1), kBlue);
    // Images are cached by name, so a mask only counts for the first load in a window.
    resources_.Private().images.clear();
    Draw(u"file='img/placeholder.png' corner='4,4,4,4' mask='#FFFF00FF'");
    EXPECT_EQ(Alpha(At(50, 30)), 0);
    Draw(u"file='img/placeholder.png' corner='4,4,4,4'");
    EXPECT_EQ(Alpha(At(50, 30)), 0);
    EXPECT_EQ(At(20, 15), kGreen);
}

TEST_F(ImageDrawing, TilingRepeatsTheCentreInsteadOfStretchingIt) {
    // The centre is source 4..20; its magenta columns 10..13 repeat every 16 pixels when tiled.
    Draw(u"file='img/placeholder.png' corner='4,4,4,4' xtiled='true'");
    EXPECT_EQ(At(4 + 16 + 7, 30), kMagenta);
    Draw(u"file='img/placeholder.png' corner='4,4,4,4'");
    EXPECT_EQ(At(4 + 16 + 7, 30), kGreen);
    Draw(u"file='img/placeholder.png' corner='4,4,4,4' ytiled='true'");
    EXPECT_EQ(At(50, 4 + 16 + 7), kMagenta);
}

TEST_F(ImageDrawing, DestSourceAndFadePlaceTheImage) {
    Draw(u"file='img/placeholder.png' dest='10,10,34,34'");
    EXPECT_EQ(At(9, 9), 0u);
    EXPECT_EQ(At(10, 10), kRed);
    EXPECT_EQ(At(21, 21), kMagenta);  // 1:1, so source 11,11
    EXPECT_EQ(At(34, 34), 0u);

    Draw(u"file='img/placeholder.png' dest='90,50,130,90'");
    EXPECT_NE(At(95, 55), 0u);
    EXPECT_EQ(At(101, 55), 0u);  // clipped to the control

    Draw(u"file='img/placeholder.png' source='0,0,4,4'");
    EXPECT_EQ(At(50, 30), kRed);

    Draw(u"file='img/placeholder.png' fade='128'");
    EXPECT_NEAR(Alpha(At(1, 1)), 128, 1);
}

// Corner, source and dest values at the ends of the int range are cut to the image and the
// control: nothing is drawn outside the control and no sum of them overflows.
TEST_F(ImageDrawing, ExtremeCornersSourcesAndDestsStayInsideImageAndControl) {
    for (const std::u16string_view descriptor :
         {u"file='img/placeholder.png' corner='2147483647,0,0,0'",
          u"file='img/placeholder.png' corner='2147483647,2147483647,2147483647,2147483647'",
          u"file='img/placeholder.png' corner='-2147483648,-2147483648,4,4'",
          u"file='img/placeholder.png' source='-2147483648,-2147483648,2147483647,2147483647'",
          u"file='img/placeholder.png' dest='-2147483648,-2147483648,2147483647,2147483647'",
          u"file='img/placeholder.png' dest='2147483647,2147483647,2147483647,2147483647'"}) {
        Draw(descriptor);
        EXPECT_EQ(At(105, 30), 0u) << "beyond the control";
        EXPECT_EQ(At(50, 65), 0u) << "below the control";
    }
    const auto image = LoadImageUI(u"img/placeholder.png", u"", 0, LinkedSkin());
    ASSERT_NE(image, nullptr);
    const ImagePlacement placed = PlaceDescriptor(
        ParseImageDescriptor(u"file='x' source='2,2,10,6' corner='2147483647,9,2147483647,9'"),
        *image, kItem);
    EXPECT_EQ(placed.source, (Rect{2, 2, 10, 6}));
    EXPECT_EQ(placed.corners, (Rect{8, 4, 0, 0})) << "corners never take more than the source";

    // A placement made by hand with corners the size of the int range, on an empty image.
    const auto empty = ImageFromRgba(nullptr, 0, 0, 0);
    ImagePlacement extreme;
    extreme.dest = kItem;
    extreme.source = Rect{0, 0, 24, 24};
    extreme.corners = Rect{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
    canvas_.Clear();
    if (empty) {
        DrawImagePart(canvas_.Context(), *empty, extreme, canvas_.Bounds());
    }
    DrawImagePart(canvas_.Context(), *image, extreme, canvas_.Bounds());
    EXPECT_EQ(At(105, 30), 0u);
}

TEST_F(ImageDrawing, ColourDescriptorFillsTheDestination) {
    Draw(u"color='#FF102030' dest='0,0,50,60'");
    EXPECT_EQ(At(25, 30), 0xFF102030u);
    EXPECT_EQ(At(75, 30), 0u);
}

TEST_F(ImageDrawing, OnlyThePaintRectangleIsTouched) {
    canvas_.Clear();
    ImageDescriptor d = ParseImageDescriptor(u"img/placeholder.png");
    ASSERT_TRUE(DrawImageUI(canvas_.Context(), resources_, d, kItem, Rect{50, 0, 100, 60}));
    EXPECT_EQ(At(10, 10), 0u);
    EXPECT_NE(At(60, 10), 0u);
}

}  // namespace
