#pragma once

#include <memory>

#include "platform/TextShaper.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/TextFace.h"

namespace uikit {

// A font of the system's text engine: the system lays the text out and renders its coverage,
// which is composed here in the colour through cairo, so the surface stays premultiplied and
// cairo's clip and transform apply as they do to every other drawing.
class ShapedTextFace final : public TextFace {
  public:
    explicit ShapedTextFace(std::unique_ptr<platform::ShapedFont> font);

    FontMetrics Metrics() const override;
    std::string ResolvedFamily() const override;
    Size Measure(std::u16string_view text, int width, unsigned style) const override;
    void Draw(cairo_t* cr, const Rect& rc, std::u16string_view text, uint32_t color,
              unsigned style) const override;
    int CountMissingGlyphs(std::u16string_view text) const override;

  private:
    std::unique_ptr<platform::ShapedFont> font_;
};

// What the system's engine is asked for to draw the font.
platform::TextFontSpec ToTextFontSpec(const FontInfo& info);

}  // namespace uikit
