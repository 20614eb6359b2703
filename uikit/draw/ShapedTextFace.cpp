#include "uikit/draw/ShapedTextFace.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "common/TextConvert.h"
#include "uikit/draw/TextPainter.h"

namespace uikit {

namespace {

namespace TL = platform::TextLayout;
static_assert(TextStyle::kCenter == TL::kCenter && TextStyle::kRight == TL::kRight &&
                  TextStyle::kVCenter == TL::kVCenter && TextStyle::kBottom == TL::kBottom &&
                  TextStyle::kWordBreak == TL::kWordBreak &&
                  TextStyle::kSingleLine == TL::kSingleLine && TextStyle::kNoClip == TL::kNoClip &&
                  TextStyle::kEndEllipsis == TL::kEndEllipsis,
              "the controls' text styles pass to the system's engine unchanged");

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// The coverage as a cairo alpha mask; null when it is empty or malformed.
SurfacePtr CoverageMask(const platform::TextCoverage& coverage) {
    const size_t pixels = static_cast<size_t>(std::max(0, coverage.width)) *
                          static_cast<size_t>(std::max(0, coverage.height));
    if (pixels == 0 || coverage.alpha.size() != pixels) {
        return nullptr;
    }
    SurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, coverage.width, coverage.height));
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    cairo_surface_flush(mask.get());
    unsigned char* rows = cairo_image_surface_get_data(mask.get());
    const int stride = cairo_image_surface_get_stride(mask.get());
    for (int y = 0; y < coverage.height; ++y) {
        std::memcpy(rows + static_cast<size_t>(y) * stride,
                    coverage.alpha.data() + static_cast<size_t>(y) * coverage.width,
                    static_cast<size_t>(coverage.width));
    }
    cairo_surface_mark_dirty(mask.get());
    return mask;
}

}  // namespace

ShapedTextFace::ShapedTextFace(std::unique_ptr<platform::ShapedFont> font)
    : font_(std::move(font)) {}

FontMetrics ShapedTextFace::Metrics() const {
    const platform::TextFontMetrics system = font_->Metrics();
    FontMetrics metrics;
    metrics.ascent = system.ascent;
    metrics.descent = system.descent;
    metrics.height = system.ascent + system.descent;
    metrics.averageWidth = system.averageWidth;
    return metrics;
}

std::string ShapedTextFace::ResolvedFamily() const {
    return Utf16ToAnsi(font_->ResolvedFamily());
}

Size ShapedTextFace::Measure(std::u16string_view text, int width, unsigned style) const {
    return font_->Measure(text, width, style);
}

void ShapedTextFace::Draw(cairo_t* cr, const Rect& rc, std::u16string_view text, uint32_t color,
                          unsigned style) const {
    const platform::TextCoverage coverage =
        font_->Render(text, Size{rc.Width(), rc.Height()}, style);
    SurfacePtr mask = CoverageMask(coverage);
    if (!mask) {
        return;
    }
    BeginTextDrawing(cr, rc, color, style);
    cairo_mask_surface(cr, mask.get(), rc.left + coverage.origin.x, rc.top + coverage.origin.y);
    cairo_restore(cr);
}

int ShapedTextFace::CountMissingGlyphs(std::u16string_view text) const {
    return font_->CountMissingGlyphs(text);
}

platform::TextFontSpec ToTextFontSpec(const FontInfo& info) {
    platform::TextFontSpec spec;
    spec.face = info.face;
    spec.size = std::max(1, info.size);
    spec.bold = info.bold;
    spec.underline = info.underline;
    spec.italic = info.italic;
    return spec;
}

}  // namespace uikit
