#include <gtest/gtest.h>

#include <filesystem>

#include "tests/uikit/support/SkinFixture.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/ShapePainter.h"
#include "uikit/draw/TextPainter.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/image/ImagePainter.h"
#include "uikit/resources/ResourceTablesUI.h"

namespace {

using namespace uikit;
namespace TS = TextStyle;

// The box around every pixel with ink, and how many such pixels there are.
struct Ink {
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    int pixels = 0;
};

Ink InkOf(const Canvas& canvas) {
    Ink ink;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if ((canvas.Pixel(x, y) >> 24) > 0x40) {
                ++ink.pixels;
                ink.box = Rect{std::min(ink.box.left, x), std::min(ink.box.top, y),
                               std::max(ink.box.right, x + 1), std::max(ink.box.bottom, y + 1)};
            }
        }
    }
    return ink;
}

Ink DrawInk(const FontUI& font, std::u16string_view text, Rect rc, unsigned style, int width = 200,
            int height = 40) {
    Canvas canvas(width, height);
    DrawTextUI(canvas.Context(), font, rc, text, 0xFF000000, style);
    return InkOf(canvas);
}

const FontUI& Font16() {
    static const FontUI font(FontInfo{u"微软雅黑", 16});
    return font;
}

TEST(TextDrawing, TheSkinFaceMapsToTheInstalledCjkFace) {
    EXPECT_EQ(Font16().ResolvedFamily(), "WenQuanYi Micro Hei");
    EXPECT_EQ(FontUI(FontInfo{u"Microsoft YaHei", 12}).ResolvedFamily(), "WenQuanYi Micro Hei");
    EXPECT_EQ(CountMissingGlyphs(Font16(), u"游戏 Kavrin 1.6"), 0);
    const FontMetrics& metrics = Font16().Metrics();
    EXPECT_GE(metrics.height, 16);
    EXPECT_LE(metrics.height, 24);
    EXPECT_EQ(metrics.height, metrics.ascent + metrics.descent);
}

TEST(TextDrawing, ChineseIsDrawnWithGlyphsNotMissingGlyphBoxes) {
    const Rect rc{0, 0, 200, 40};
    const Ink game = DrawInk(Font16(), u"游戏", rc, TS::kSingleLine);
    const Ink missing = DrawInk(Font16(), u"\U000F0000\U000F0001", rc, TS::kSingleLine);
    EXPECT_GT(CountMissingGlyphs(Font16(), u"\U000F0000\U000F0001"), 0);
    EXPECT_GT(game.pixels, 30);
    EXPECT_NE(game.pixels, missing.pixels);
    EXPECT_NE(game.box, missing.box);
    // Two different characters have different ink; boxes of one font would all look alike.
    EXPECT_NE(DrawInk(Font16(), u"游", rc, TS::kSingleLine).pixels,
              DrawInk(Font16(), u"戏", rc, TS::kSingleLine).pixels);
}

TEST(TextDrawing, AlignsHorizontallyAndVertically) {
    const Rect rc{0, 0, 200, 40};
    const Ink left = DrawInk(Font16(), u"ab", rc, TS::kSingleLine | TS::kLeft | TS::kTop);
    const Ink centre = DrawInk(Font16(), u"ab", rc, TS::kSingleLine | TS::kCenter | TS::kVCenter);
    const Ink right = DrawInk(Font16(), u"ab", rc, TS::kSingleLine | TS::kRight | TS::kBottom);
    EXPECT_LT(left.box.left, 4);
    EXPECT_NEAR((centre.box.left + centre.box.right) / 2, 100, 4);
    EXPECT_GT(right.box.right, 195);
    EXPECT_LT(left.box.top, centre.box.top);
    EXPECT_LT(centre.box.top, right.box.top);
    EXPECT_LE(right.box.bottom, 40);
}

TEST(TextDrawing, EndEllipsisShortensTextThatDoesNotFit) {
    const std::u16string text = u"魔兽争霸3：冰封王座 Frozen Throne";
    const Rect narrow{0, 0, 80, 40};
    EXPECT_GT(MeasureText(Font16(), text, 0, TS::kSingleLine).cx, 80);
    const Ink cut = DrawInk(Font16(), text, narrow, TS::kSingleLine | TS::kEndEllipsis);
    const Ink clipped = DrawInk(Font16(), text, narrow, TS::kSingleLine);
    EXPECT_LE(cut.box.right, 80);
    EXPECT_LE(clipped.box.right, 80);  // drawing never leaves the rectangle
    EXPECT_NE(cut.pixels, clipped.pixels);
}

TEST(TextDrawing, WordBreakWrapsAtTheRectangleWidth) {
    const std::u16string text = u"Classic real-time strategy 经典即时战略游戏";
    const Size line = MeasureText(Font16(), text, 0, TS::kSingleLine);
    const Size wrapped = MeasureText(Font16(), text, 90, TS::kWordBreak);
    EXPECT_LE(wrapped.cx, 90);
    EXPECT_GE(wrapped.cy, 3 * line.cy);
    // Line breaks count only when the text is not single-line.
    EXPECT_EQ(MeasureText(Font16(), u"a\nb", 0, TS::kSingleLine).cy, line.cy);
    EXPECT_GT(MeasureText(Font16(), u"a\nb", 0, TS::kLeft).cy, line.cy);

    const Ink ink =
        DrawInk(Font16(), text, {0, 0, 90, 200}, TS::kWordBreak | TS::kCenter, 200, 200);
    EXPECT_LE(ink.box.right, 90);
    EXPECT_GT(ink.box.bottom, 2 * line.cy);
    EXPECT_NEAR((ink.box.left + ink.box.right) / 2, 45, 4);  // each line centred in the width

    // Without word breaks, lines end only at line breaks and are aligned one by one.
    const Ink right = DrawInk(Font16(), u"wide line\nx", {0, 0, 200, 60}, TS::kRight, 200, 60);
    EXPECT_GT(right.box.right, 195);
    EXPECT_LT(right.box.left, 150);
    EXPECT_GT(right.box.bottom, line.cy + 4);
}

TEST(TextDrawing, BoldUnderlineAndItalicChangeTheInk) {
    const Rect rc{0, 0, 200, 40};
    const Ink regular = DrawInk(Font16(), u"Kavrin 游戏", rc, TS::kSingleLine);
    const Ink bold =
        DrawInk(FontUI(FontInfo{u"微软雅黑", 16, true}), u"Kavrin 游戏", rc, TS::kSingleLine);
    const Ink underlined = DrawInk(FontUI(FontInfo{u"微软雅黑", 16, false, true}), u"Kavrin 游戏",
                                   rc, TS::kSingleLine);
    EXPECT_GT(bold.pixels, regular.pixels);
    EXPECT_GT(underlined.box.bottom, regular.box.bottom);
    // The face has no italic; a slanted one is made, which leans the ink to the right.
    const Ink italic = DrawInk(FontUI(FontInfo{u"微软雅黑", 16, false, false, true}),
                               u"Kavrin 游戏", rc, TS::kSingleLine);
    EXPECT_GT(italic.box.right, regular.box.right);
}

// A sample of everything together, written where a developer can look at it.
TEST(TextDrawing, WritesASampleDrawing) {
    Canvas canvas(360, 200);
    cairo_t* cr = canvas.Context();
    canvas.Clear(0xFFF4F6F8);
    ResourceTablesUI resources(LinkedSkin());
    ImageDescriptor panel =
        ParseImageDescriptor(u"file='img/placeholder.png' corner='4,4,4,4' mask='#FFFF00FF'");
    DrawImageUI(cr, resources, panel, {10, 10, 170, 110}, canvas.Bounds());
    ImageDescriptor plain = ParseImageDescriptor(u"img/placeholder.png");
    DrawImageUI(cr, resources, plain, {180, 10, 204, 34}, canvas.Bounds());
    FillRoundRect(cr, {180, 50, 350, 90}, 12, 12, 0xFF347AEA);
    DrawTextUI(cr, Font16(), {180, 50, 350, 90}, u"下载 Download", 0xFFFFFFFF,
               TS::kSingleLine | TS::kCenter | TS::kVCenter);
    DrawRoundBorder(cr, {180, 100, 350, 190}, 1, 8, 8, 0xFFD0D7DE);
    DrawTextUI(cr, FontUI(FontInfo{u"微软雅黑", 12}), {186, 104, 344, 186},
               u"魔兽争霸3：冰封王座 is a classic real-time strategy game 经典即时战略游戏, long "
               u"enough to wrap and end with an ellipsis somewhere down here.",
               0xFF333333, TS::kWordBreak | TS::kEndEllipsis);
    DrawTextUI(cr, FontUI(FontInfo{u"微软雅黑", 14, true, true}), {10, 120, 170, 190},
               u"帮助页面 Help", 0xFF1B7AFF, TS::kSingleLine | TS::kBottom);
    std::filesystem::create_directories(KAVRIN_PREVIEW_DIR);
    const auto path = std::filesystem::path(KAVRIN_PREVIEW_DIR) / "uikit-sample.png";
    ASSERT_TRUE(canvas.WritePng(path.string()));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

}  // namespace
