#include "uikit/manager/ToolTipPainterUI.h"

#include <algorithm>

#include "uikit/draw/ShapePainter.h"
#include "uikit/draw/TextPainter.h"

namespace uikit {

namespace {

constexpr int kChromeX = 2 * (kToolTipBorderSize + kToolTipPaddingX);
constexpr int kChromeY = 2 * (kToolTipBorderSize + kToolTipPaddingY);

// Measuring and drawing share one layout width, so the lines break at the same places in both.
unsigned TextStyleFor(int maxTextWidth) {
    return maxTextWidth > 0 ? TextStyle::kWordBreak : TextStyle::kLeft;
}

}  // namespace

Size MeasureToolTipUI(const FontUI& font, std::u16string_view text, int maxTextWidth) {
    const Size textSize = MeasureText(font, text, maxTextWidth, TextStyleFor(maxTextWidth));
    return Size{textSize.cx + kChromeX, std::max(textSize.cy, font.Metrics().height) + kChromeY};
}

std::unique_ptr<Canvas> PaintToolTipUI(const FontUI& font, std::u16string_view text,
                                       int maxTextWidth, Size size) {
    auto canvas = std::make_unique<Canvas>(std::max(size.cx, 1), std::max(size.cy, 1));
    if (!canvas->IsValid()) {
        return canvas;
    }
    const Rect bounds = canvas->Bounds();
    FillRect(canvas->Context(), bounds, kToolTipBackground);
    DrawBorder(canvas->Context(), bounds, kToolTipBorderSize, kToolTipBorder);
    const int left = kToolTipBorderSize + kToolTipPaddingX;
    const int top = kToolTipBorderSize + kToolTipPaddingY;
    const int layoutWidth = maxTextWidth > 0 ? maxTextWidth : bounds.Width() - kChromeX;
    // The text may not run into the border, whatever width its lines were laid out at.
    const Rect inside{kToolTipBorderSize, kToolTipBorderSize, bounds.right - kToolTipBorderSize,
                      bounds.bottom - kToolTipBorderSize};
    ClipScope clip(canvas->Context(), inside);
    DrawTextUI(canvas->Context(), font, Rect{left, top, left + layoutWidth, bounds.bottom}, text,
               kToolTipText, TextStyleFor(maxTextWidth) | TextStyle::kNoClip);
    return canvas;
}

}  // namespace uikit
