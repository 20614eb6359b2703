#include "uikit/draw/TextPainter.h"

#include "uikit/draw/TextFace.h"

namespace uikit {

void DrawTextUI(cairo_t* cr, const FontUI& font, const Rect& rc, std::u16string_view text,
                uint32_t color, unsigned style) {
    if (text.empty() || rc.IsEmpty()) {
        return;
    }
    font.Face().Draw(cr, rc, text, color, style);
}

Size MeasureText(const FontUI& font, std::u16string_view text, int width, unsigned style) {
    if (text.empty()) {
        return Size{0, font.Metrics().height};
    }
    return font.Face().Measure(text, width, style & ~TextStyle::kEndEllipsis);
}

int CountMissingGlyphs(const FontUI& font, std::u16string_view text) {
    return font.Face().CountMissingGlyphs(text);
}

}  // namespace uikit
