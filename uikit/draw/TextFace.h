#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

namespace uikit {

struct FontInfo;
struct FontMetrics;

// One font in the text engine the build draws with: what the controls need of text. Linux
// draws with Pango; Windows with the system's engine behind platform::TextShaper. Styles are
// the TextStyle flags of TextPainter.h.
class TextFace {
  public:
    virtual ~TextFace() = default;
    virtual FontMetrics Metrics() const = 0;
    virtual std::string ResolvedFamily() const = 0;
    virtual Size Measure(std::u16string_view text, int width, unsigned style) const = 0;
    // Draws in the colour's red, green and blue, opaque, clipped to rc unless kNoClip.
    virtual void Draw(cairo_t* cr, const Rect& rc, std::u16string_view text, uint32_t color,
                      unsigned style) const = 0;
    virtual int CountMissingGlyphs(std::u16string_view text) const = 0;
};

// A face of the build's engine for the font.
std::unique_ptr<TextFace> CreateTextFace(const FontInfo& info);

// What every face does before it puts text down: saves the state (the caller restores it),
// clips to rc unless the style says kNoClip and takes the colour's red, green and blue, opaque.
void BeginTextDrawing(cairo_t* cr, const Rect& rc, uint32_t color, unsigned style);

}  // namespace uikit
