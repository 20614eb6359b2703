#include <gtest/gtest.h>

#include <string>

#include "uikit/FontUI.h"
#include "uikit/TextEngine.h"
#include "uikit/manager/ToolTipPainterUI.h"
#include "uikit/manager/ToolTipWindowUI.h"

namespace {

using namespace uikit;

const platform::Rect kScreen{0, 0, 1920, 1080};

bool Inside(const platform::Rect& inner, const platform::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(ToolTipPlacement, SitsBelowRightOfThePointerWithoutCoveringIt) {
    const platform::Point pointer{400, 300};
    const platform::Rect rc = PlaceToolTipUI(Size{60, 24}, pointer, kScreen);
    EXPECT_EQ(rc.Width(), 60);
    EXPECT_EQ(rc.Height(), 24);
    EXPECT_GT(rc.left, pointer.x);
    EXPECT_GT(rc.top, pointer.y);
    EXPECT_LT(rc.left - pointer.x, 30) << "a tip belongs next to the pointer";
    EXPECT_LT(rc.top - pointer.y, 40);
}

TEST(ToolTipPlacement, IsPulledInsideTheWorkAreaAndGoesAboveWhenThereIsNoRoomBelow) {
    const Size size{120, 24};
    const platform::Rect right = PlaceToolTipUI(size, platform::Point{1910, 300}, kScreen);
    EXPECT_EQ(right.right, kScreen.right);
    EXPECT_GT(right.top, 300);

    const platform::Point low{800, 1070};
    const platform::Rect bottom = PlaceToolTipUI(size, low, kScreen);
    EXPECT_TRUE(Inside(bottom, kScreen));
    EXPECT_LE(bottom.bottom, low.y) << "the tip must not cover the pointer";

    const platform::Rect corner = PlaceToolTipUI(size, platform::Point{1915, 1075}, kScreen);
    EXPECT_TRUE(Inside(corner, kScreen));

    // A second monitor to the right, with a panel along its top.
    const platform::Rect second{1920, 30, 3840, 1080};
    const platform::Rect onSecond = PlaceToolTipUI(size, platform::Point{1925, 10}, second);
    EXPECT_TRUE(Inside(onSecond, second));
}

class ToolTipLook : public ::testing::Test {
  protected:
    void SetUp() override { InitTextEngine(); }
    FontUI font_{FontInfo{u"微软雅黑", 13}};
};

TEST_F(ToolTipLook, ShortTipsStayOnOneLineAndFitTheirText) {
    const Size close = MeasureToolTipUI(font_, u"关闭", 300);
    const Size minimise = MeasureToolTipUI(font_, u"最小化", 300);
    const Size twoLines = MeasureToolTipUI(font_, u"最小化\r\n窗口", 300);
    EXPECT_GT(minimise.cx, close.cx);
    EXPECT_EQ(minimise.cy, close.cy);
    // Text plus a border and a few pixels on each side, not more.
    EXPECT_GE(close.cx, 2 * 13 + 2 * (kToolTipBorderSize + 2));
    EXPECT_LE(close.cx, 2 * 13 + 2 * (kToolTipBorderSize + 8) + 4);
    EXPECT_GE(close.cy, font_.Metrics().height + 2 * (kToolTipBorderSize + 2));
    EXPECT_LE(close.cy, font_.Metrics().height + 2 * (kToolTipBorderSize + 8));
    EXPECT_GE(twoLines.cy - close.cy, font_.Metrics().height - 2) << "the line break shows";
}

TEST_F(ToolTipLook, LongTipsWrapAtTheTooltipWidth) {
    const std::u16string longTip =
        u"下载目录所在的磁盘空间不足时，新的下载任务会暂停，请在设置中更改路径后再继续下载";
    const Size unwrapped = MeasureToolTipUI(font_, longTip, 0);
    const Size wrapped = MeasureToolTipUI(font_, longTip, 300);
    const Size narrow = MeasureToolTipUI(font_, longTip, 120);
    const int chrome = 2 * (kToolTipBorderSize + kToolTipPaddingX);
    EXPECT_GT(unwrapped.cx, 300 + chrome);
    EXPECT_LE(wrapped.cx, 300 + chrome);
    EXPECT_GT(wrapped.cx, 250) << "a wrapped tip uses the width it has";
    EXPECT_GE(wrapped.cy, unwrapped.cy + font_.Metrics().height - 2);
    EXPECT_LE(narrow.cx, 120 + chrome);
    EXPECT_GT(narrow.cy, wrapped.cy);
}

TEST_F(ToolTipLook, PaintsTextOnALightBackgroundInsideAOnePixelBorder) {
    const Size size = MeasureToolTipUI(font_, u"更改路径", 300);
    const auto canvas = PaintToolTipUI(font_, u"更改路径", 300, size);
    ASSERT_TRUE(canvas->IsValid());
    ASSERT_EQ(canvas->Width(), size.cx);
    ASSERT_EQ(canvas->Height(), size.cy);
    for (const auto& [x, y] : {std::pair{0, 0},
                               {size.cx - 1, 0},
                               {0, size.cy - 1},
                               {size.cx - 1, size.cy - 1},
                               {size.cx / 2, 0},
                               {0, size.cy / 2}}) {
        EXPECT_EQ(canvas->Pixel(x, y), kToolTipBorder) << x << "," << y;
    }
    EXPECT_EQ(canvas->Pixel(1, size.cy / 2), kToolTipBackground);
    EXPECT_EQ(canvas->Pixel(size.cx - 2, size.cy / 2), kToolTipBackground);
    // Every pixel is opaque, and the text shows as dark pixels between the paddings.
    int dark = 0;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const uint32_t pixel = canvas->Pixel(x, y);
            ASSERT_EQ(pixel >> 24, 0xFFu);
            const bool inside = x > kToolTipBorderSize && x < size.cx - 1 - kToolTipBorderSize &&
                                y > kToolTipBorderSize && y < size.cy - 1 - kToolTipBorderSize;
            if (inside && (pixel & 0xFF) < 0x90) {
                ++dark;
            }
        }
    }
    EXPECT_GT(dark, 30);
}

}  // namespace
