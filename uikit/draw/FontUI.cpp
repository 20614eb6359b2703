#include "uikit/draw/FontUI.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "common/TextConvert.h"
#include "uikit/draw/TextEngine.h"

namespace uikit {

namespace {

int PangoToPixels(int units) {
    return (units + PANGO_SCALE / 2) / PANGO_SCALE;
}

}  // namespace

FontUI::FontUI(FontInfo info) : info_(std::move(info)) {
    PangoContext* context = SharedPangoContext();
    description_ = pango_font_description_new();
    pango_font_description_set_family(description_, Utf16ToAnsi(info_.face).c_str());
    // Markup sizes are pixel sizes, not points.
    pango_font_description_set_absolute_size(
        description_, std::max(1, info_.size) * static_cast<double>(PANGO_SCALE));
    pango_font_description_set_weight(description_,
                                      info_.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description_,
                                     info_.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

    PangoFontMetrics* metrics = pango_context_get_metrics(context, description_, nullptr);
    metrics_.ascent = PangoToPixels(pango_font_metrics_get_ascent(metrics));
    metrics_.descent = PangoToPixels(pango_font_metrics_get_descent(metrics));
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.averageWidth = PangoToPixels(pango_font_metrics_get_approximate_char_width(metrics));
    pango_font_metrics_unref(metrics);
}

FontUI::~FontUI() {
    pango_font_description_free(description_);
}

std::string FontUI::ResolvedFamily() const {
    PangoFont* font = pango_context_load_font(SharedPangoContext(), description_);
    if (!font) {
        return {};
    }
    PangoFontDescription* chosen = pango_font_describe(font);
    const char* family = pango_font_description_get_family(chosen);
    std::string result = family ? family : "";
    pango_font_description_free(chosen);
    g_object_unref(font);
    return result;
}

}  // namespace uikit
