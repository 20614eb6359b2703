#pragma once

#include <memory>
#include <string_view>

#include "uikit/draw/Canvas.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/Geometry.h"

// The look of a tooltip: its text on a light background inside a one-pixel border, with a few
// pixels of room around the text. Kept apart from the tooltip window so that what a tip looks
// like can be drawn and measured without any native window.
namespace uikit {

inline constexpr uint32_t kToolTipBackground = 0xFFF8F8F8;
inline constexpr uint32_t kToolTipBorder = 0xFF767676;
inline constexpr uint32_t kToolTipText = 0xFF3C3C3C;
inline constexpr int kToolTipBorderSize = 1;
inline constexpr int kToolTipPaddingX = 5;  // between the border and the text, left and right
inline constexpr int kToolTipPaddingY = 3;  // and above and below

// The size of the whole tip for the text. Lines longer than `maxTextWidth` pixels wrap (<= 0:
// only the text's own line breaks start new lines).
Size MeasureToolTipUI(const FontUI& font, std::u16string_view text, int maxTextWidth);

// Draws the tip at the size MeasureToolTipUI gave for the same text and width.
std::unique_ptr<Canvas> PaintToolTipUI(const FontUI& font, std::u16string_view text,
                                       int maxTextWidth, Size size);

}  // namespace uikit
