#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "platform/TextShaper.h"

// The Windows text engine, measured. Under Wine the skin's face exists only when the prefix
// substitutes it (FontSubstitutes "微软雅黑" and "Microsoft YaHei" = "WenQuanYi Micro Hei");
// without that Wine draws it in DejaVu Sans, which has no Chinese glyphs. Metrics differ from
// Linux's by a pixel or so, so the expectations here allow a pixel where they compare positions.
namespace {

using namespace platform;
namespace TL = TextLayout;

struct Ink {
    Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    int pixels = 0;
};

// The ink in layout-rectangle coordinates.
Ink InkOf(const TextCoverage& coverage) {
    Ink ink;
    for (int y = 0; y < coverage.height; ++y) {
        for (int x = 0; x < coverage.width; ++x) {
            if (coverage.alpha[static_cast<size_t>(y) * coverage.width + x] > 0x40) {
                ++ink.pixels;
                const int px = x + coverage.origin.x;
                const int py = y + coverage.origin.y;
                ink.box = Rect{std::min(ink.box.left, px), std::min(ink.box.top, py),
                               std::max(ink.box.right, px + 1), std::max(ink.box.bottom, py + 1)};
            }
        }
    }
    return ink;
}

std::unique_ptr<ShapedFont> Font(int size = 16, bool bold = false, bool underline = false) {
    return SystemTextShaper().MakeFont(TextFontSpec{u"微软雅黑", size, bold, underline, false});
}

Ink Draw(const ShapedFont& font, std::u16string_view text, Size size, unsigned layout) {
    return InkOf(font.Render(text, size, layout));
}

TEST(GdiText, MetricsFitTheRequestedSize) {
    const TextFontMetrics metrics = Font()->Metrics();
    EXPECT_GE(metrics.ascent + metrics.descent, 16);
    EXPECT_LE(metrics.ascent + metrics.descent, 24);
    EXPECT_GT(metrics.averageWidth, 3);
    EXPECT_FALSE(Font()->ResolvedFamily().empty());
}

TEST(GdiText, NamesTheFaceItDrawsNotTheOneAskedFor) {
    // "MS Shell Dlg" is substituted by Tahoma on Windows and under Wine alike.
    const auto substituted = SystemTextShaper().MakeFont(TextFontSpec{u"MS Shell Dlg", 12});
    const auto direct = SystemTextShaper().MakeFont(TextFontSpec{u"Tahoma", 12});
    EXPECT_NE(substituted->ResolvedFamily(), u"MS Shell Dlg");
    EXPECT_EQ(substituted->ResolvedFamily(), direct->ResolvedFamily());
}

TEST(GdiText, CountsGlyphsTheFaceLacks) {
    const auto font = Font();
    EXPECT_EQ(font->CountMissingGlyphs(u"\U000F0000\U000F0001"), 2);
    EXPECT_EQ(font->CountMissingGlyphs(u"Kavrin 1.6\n"), 0);
    if (font->CountMissingGlyphs(u"游戏") != 0) {
        GTEST_SKIP() << "no face with Chinese glyphs stands for the skin's face here";
    }
    EXPECT_EQ(font->CountMissingGlyphs(u"游戏 Kavrin 1.6"), 0);
}

TEST(GdiText, MeasuresLinesAndWraps) {
    const auto font = Font();
    const std::u16string text = u"Classic real-time strategy 经典即时战略游戏";
    const Size line = font->Measure(text, 0, TL::kSingleLine);
    const Size wrapped = font->Measure(text, 90, TL::kWordBreak);
    EXPECT_GT(line.cx, 90);
    EXPECT_LE(wrapped.cx, 90);
    EXPECT_GE(wrapped.cy, 3 * line.cy);
    EXPECT_EQ(font->Measure(u"a\nb", 0, TL::kSingleLine).cy, line.cy);
    EXPECT_GE(font->Measure(u"a\nb", 0, TL::kLeft).cy, 2 * line.cy);
    // An ampersand is text, not a mnemonic mark that would hide itself.
    EXPECT_GT(font->Measure(u"a&b", 0, TL::kSingleLine).cx,
              font->Measure(u"ab", 0, TL::kSingleLine).cx);
}

TEST(GdiText, PlacesTheBlockAsTheLayoutSays) {
    const auto font = Font();
    const Size rc{200, 40};
    const Ink left = Draw(*font, u"ab", rc, TL::kSingleLine | TL::kLeft | TL::kTop);
    const Ink centre = Draw(*font, u"ab", rc, TL::kSingleLine | TL::kCenter | TL::kVCenter);
    const Ink right = Draw(*font, u"ab", rc, TL::kSingleLine | TL::kRight | TL::kBottom);
    EXPECT_LT(left.box.left, 4);
    EXPECT_NEAR((centre.box.left + centre.box.right) / 2, 100, 4 + 1);
    EXPECT_GT(right.box.right, 195 - 1);
    EXPECT_LT(left.box.top, centre.box.top);
    EXPECT_LT(centre.box.top, right.box.top);
    EXPECT_LE(right.box.bottom, 40);
    // Multi-line blocks are centred vertically too, which the system does only for one line.
    const Ink block = Draw(*font, u"one\ntwo", {200, 100}, TL::kVCenter);
    EXPECT_NEAR((block.box.top + block.box.bottom) / 2, 50, 4 + 1);
}

TEST(GdiText, EllipsisKeepsTheTextInsideItsRectangle) {
    const auto font = Font();
    const std::u16string text = u"魔兽争霸3：冰封王座 Frozen Throne";
    const Ink cut = Draw(*font, text, {80, 40}, TL::kSingleLine | TL::kEndEllipsis);
    const Ink clipped = Draw(*font, text, {80, 40}, TL::kSingleLine);
    EXPECT_LE(cut.box.right, 80);
    EXPECT_LE(clipped.box.right, 80);
    EXPECT_NE(cut.pixels, clipped.pixels);
    // Wrapped text ends in an ellipsis on the last line that fits instead of losing lines.
    const std::u16string longText =
        u"is a classic real-time strategy game, long enough to wrap and end somewhere";
    const Ink wrapped = Draw(*font, longText, {100, 40}, TL::kWordBreak | TL::kEndEllipsis);
    EXPECT_LE(wrapped.box.bottom, 40);
    EXPECT_GT(wrapped.box.bottom, 20);
}

TEST(GdiText, TextThatIsNotClippedReachesBeyondTheRectangle) {
    const auto font = Font();
    const Ink inside = Draw(*font, u"a long line of text", {30, 20}, TL::kSingleLine);
    const Ink beyond = Draw(*font, u"a long line of text", {30, 20}, TL::kSingleLine | TL::kNoClip);
    EXPECT_LE(inside.box.right, 30);
    EXPECT_GT(beyond.box.right, 60);
}

TEST(GdiText, BoldAndUnderlineChangeTheInk) {
    const Size rc{200, 40};
    const Ink regular = Draw(*Font(), u"Kavrin", rc, TL::kSingleLine);
    const Ink bold = Draw(*Font(16, true), u"Kavrin", rc, TL::kSingleLine);
    const Ink underlined = Draw(*Font(16, false, true), u"Kavrin", rc, TL::kSingleLine);
    EXPECT_GT(bold.pixels, regular.pixels);
    EXPECT_GT(underlined.box.bottom, regular.box.bottom);
}

}  // namespace
