#pragma once

#include <cstdint>
#include <string_view>

#include "platform/TextLayoutFlags.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

namespace uikit {

// Text style flags: the text engines' own layout flags, which are the controls' "align"/"valign"
// model as well, so a control passes its style straight on.
namespace TextStyle = platform::TextLayout;

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
