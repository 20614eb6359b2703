#include <gtest/gtest.h>

#include <cairo.h>

#include "uikit/draw/Canvas.h"
#include "uikit/draw/ShapedTextFace.h"
#include "uikit/draw/TextPainter.h"

namespace {

using namespace uikit;
namespace TS = TextStyle;

// A system engine that renders a fixed coverage and remembers what it was asked for.
struct Requests {
    Size size;
    unsigned layout = 0;
    std::u16string text;
};

class FixedCoverageFont final : public platform::ShapedFont {
  public:
    FixedCoverageFont(platform::TextCoverage coverage, Requests& requests)
        : coverage_(std::move(coverage)), requests_(requests) {}

    platform::TextFontMetrics Metrics() const override { return {13, 4, 7}; }
    std::u16string ResolvedFamily() const override { return u"微软雅黑"; }
    Size Measure(std::u16string_view text, int width, unsigned layout) const override {
        requests_.text = text;
        requests_.layout = layout;
        return Size{width, 17};
    }
    platform::TextCoverage Render(std::u16string_view text, Size size,
                                  unsigned layout) const override {
        requests_.text = text;
        requests_.size = size;
        requests_.layout = layout;
        return coverage_;
    }
    int CountMissingGlyphs(std::u16string_view) const override { return 3; }

  private:
    platform::TextCoverage coverage_;
    Requests& requests_;
};

// A coverage of `width` x `height` at `origin`: full on its left half, half on its right half.
platform::TextCoverage HalfAndFull(Point origin, int width, int height) {
    platform::TextCoverage coverage{origin, width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            coverage.alpha.push_back(x < width / 2 ? 255 : 128);
        }
    }
    return coverage;
}

ShapedTextFace FaceWith(platform::TextCoverage coverage, Requests& requests) {
    return ShapedTextFace(std::make_unique<FixedCoverageFont>(std::move(coverage), requests));
}

TEST(ShapedText, ComposesTheCoverageInTheColourPremultiplied) {
    Requests requests;
    const ShapedTextFace face = FaceWith(HalfAndFull({2, 1}, 8, 4), requests);
    Canvas canvas(40, 20);
    face.Draw(canvas.Context(), {10, 5, 30, 15}, u"游戏", 0x40FF8000,
              TS::kSingleLine | TS::kCenter);
    // The style and the rectangle's size reach the engine unchanged.
    EXPECT_EQ(requests.layout, TS::kSingleLine | TS::kCenter);
    EXPECT_EQ(requests.size, (Size{20, 10}));
    EXPECT_EQ(requests.text, u"游戏");
    // Full coverage is the colour, opaque whatever its alpha; half coverage is half of it.
    EXPECT_EQ(canvas.Pixel(12, 6), 0xFFFF8000u);
    EXPECT_EQ(canvas.Pixel(15, 9), 0xFFFF8000u);
    const uint32_t half = canvas.Pixel(19, 9);
    EXPECT_NEAR(static_cast<int>(half >> 24), 128, 1);
    EXPECT_NEAR(static_cast<int>((half >> 16) & 0xFF), 128, 1);
    EXPECT_NEAR(static_cast<int>((half >> 8) & 0xFF), 64, 1);
    EXPECT_EQ(half & 0xFF, 0u);
    // Nothing outside the coverage.
    EXPECT_EQ(canvas.Pixel(11, 6), 0u);
    EXPECT_EQ(canvas.Pixel(20, 9), 0u);
    EXPECT_EQ(canvas.Pixel(12, 5), 0u);
    EXPECT_EQ(canvas.Pixel(12, 10), 0u);
}

TEST(ShapedText, ClipsToTheRectangleUnlessToldNotTo) {
    Requests requests;
    // The coverage reaches two pixels beyond the rectangle on every side.
    const ShapedTextFace face = FaceWith(HalfAndFull({-2, -2}, 24, 14), requests);
    const Rect rc{10, 5, 30, 15};
    Canvas clipped(40, 20);
    face.Draw(clipped.Context(), rc, u"x", 0xFF000000, TS::kSingleLine);
    EXPECT_EQ(clipped.Pixel(9, 6), 0u);
    EXPECT_EQ(clipped.Pixel(12, 4), 0u);
    EXPECT_EQ(clipped.Pixel(30, 14), 0u);
    EXPECT_NE(clipped.Pixel(10, 5), 0u);
    EXPECT_NE(clipped.Pixel(29, 14), 0u);

    Canvas unclipped(40, 20);
    face.Draw(unclipped.Context(), rc, u"x", 0xFF000000, TS::kSingleLine | TS::kNoClip);
    EXPECT_NE(unclipped.Pixel(8, 3), 0u);
    EXPECT_NE(unclipped.Pixel(31, 16), 0u);
    EXPECT_EQ(unclipped.Pixel(7, 3), 0u);
}

TEST(ShapedText, FollowsTheContextsTransform) {
    Requests requests;
    const ShapedTextFace face = FaceWith(HalfAndFull({0, 0}, 4, 4), requests);
    Canvas canvas(40, 20);
    cairo_translate(canvas.Context(), 5, 3);
    face.Draw(canvas.Context(), {0, 0, 10, 10}, u"x", 0xFF0000FF, TS::kSingleLine);
    EXPECT_EQ(canvas.Pixel(0, 0), 0u);
    EXPECT_EQ(canvas.Pixel(5, 3), 0xFF0000FFu);
}

TEST(ShapedText, DrawsNothingFromAnEmptyOrMalformedCoverage) {
    Requests requests;
    platform::TextCoverage shortRows = HalfAndFull({0, 0}, 8, 4);
    shortRows.alpha.resize(shortRows.alpha.size() - 1);
    platform::TextCoverage negative{{0, 0}, -8, 4, {}};
    for (platform::TextCoverage coverage : {shortRows, negative, platform::TextCoverage{}}) {
        const ShapedTextFace face = FaceWith(coverage, requests);
        Canvas canvas(20, 10);
        face.Draw(canvas.Context(), {0, 0, 20, 10}, u"x", 0xFF000000, TS::kSingleLine);
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 20; ++x) {
                ASSERT_EQ(canvas.Pixel(x, y), 0u) << x << "," << y;
            }
        }
    }
}

TEST(ShapedText, PassesMetricsFamilyAndGlyphsOn) {
    Requests requests;
    const ShapedTextFace face = FaceWith({}, requests);
    const FontMetrics metrics = face.Metrics();
    EXPECT_EQ(metrics.ascent, 13);
    EXPECT_EQ(metrics.descent, 4);
    EXPECT_EQ(metrics.height, 17);
    EXPECT_EQ(metrics.averageWidth, 7);
    EXPECT_EQ(face.ResolvedFamily(), "微软雅黑");
    EXPECT_EQ(face.CountMissingGlyphs(u"abc"), 3);
    EXPECT_EQ(face.Measure(u"ab", 90, TS::kWordBreak), (Size{90, 17}));
    EXPECT_EQ(requests.layout, TS::kWordBreak);
}

TEST(ShapedText, AsksForTheFontTheMarkupDescribes) {
    const platform::TextFontSpec spec =
        ToTextFontSpec(FontInfo{u"微软雅黑", 14, true, true, false});
    EXPECT_EQ(spec.face, u"微软雅黑");
    EXPECT_EQ(spec.size, 14);
    EXPECT_TRUE(spec.bold);
    EXPECT_TRUE(spec.underline);
    EXPECT_FALSE(spec.italic);
    // A size the markup left at zero or below still makes a visible font.
    EXPECT_EQ(ToTextFontSpec(FontInfo{u"x", 0}).size, 1);
}

}  // namespace
