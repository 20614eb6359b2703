#pragma once

#include <cstdint>
#include <string_view>

#include "uikit/draw/FontUI.h"
#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

namespace uikit {

// Text style flags. The values are those of the controls' "align"/"valign" model (left 0,
// centre 1, right 2, top 0, vcenter 4, bottom 8), so a control passes its style straight on.
namespace TextStyle {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kTop = 0x0;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kBottom = 0x8;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kNoClip = 0x100;
inline constexpr unsigned kEndEllipsis = 0x8000;
}  // namespace TextStyle

// Draws UTF-16 text in the rectangle, clipped to it unless kNoClip. Single-line text (the
// default for labels) ignores line breaks in layout; kWordBreak wraps at the rectangle's width.
// The colour's alpha is ignored: text is always drawn opaque, as skins expect of "#00RRGGBB".
void DrawTextUI(cairo_t* cr, const FontUI& font, const Rect& rc, std::u16string_view text,
                uint32_t color, unsigned style);

// The size the text takes; `width` limits wrapped text (kWordBreak), <= 0 for no limit.
Size MeasureText(const FontUI& font, std::u16string_view text, int width, unsigned style);

// How many characters of the text the font (with its fallbacks) has no glyph for.
int CountMissingGlyphs(const FontUI& font, std::u16string_view text);

}  // namespace uikit
