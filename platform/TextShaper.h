#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/TextLayoutFlags.h"

// The system's own text engine, for platforms whose text does not come from the control
// library's portable engine: it measures and lays out text and renders its coverage, which the
// caller composes in a colour onto its own surfaces.
namespace platform {

// A font as the skin asks for it; size is the em height in pixels.
struct TextFontSpec {
    std::u16string face;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

struct TextFontMetrics {
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
};

// What the text covers, one byte a pixel (0 none, 255 full), row after row without padding.
// `origin` is where its top-left pixel lies relative to the layout rectangle's top-left; it may
// lie outside the rectangle (overhang, text wider than the rectangle).
struct TextCoverage {
    Point origin;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;
};

// A font made by the system's engine. Immutable once made; used on the UI thread only.
class ShapedFont {
  public:
    virtual ~ShapedFont() = default;
    virtual TextFontMetrics Metrics() const = 0;
    // The face the system actually uses for the requested one.
    virtual std::u16string ResolvedFamily() const = 0;
    // The size of the laid-out block; `width` limits wrapped text, <= 0 for no limit.
    virtual Size Measure(std::u16string_view text, int width, unsigned layout) const = 0;
    // The text laid out in a rectangle of `size` as `layout` says, placed in it and rendered.
    virtual TextCoverage Render(std::u16string_view text, Size size, unsigned layout) const = 0;
    // How many characters (code points) of the text the face has no glyph for.
    virtual int CountMissingGlyphs(std::u16string_view text) const = 0;
};

class TextShaper {
  public:
    virtual ~TextShaper() = default;
    // Named apart from the window system's CreateFont, which its headers define as a macro.
    virtual std::unique_ptr<ShapedFont> MakeFont(const TextFontSpec& spec) = 0;
};

// The system's engine, made on first use. Exists only where the platform has one.
TextShaper& SystemTextShaper();

}  // namespace platform
