#include "uikit/draw/PangoContext.h"

#include <pango/pangocairo.h>

#include "uikit/draw/FontAliases.h"
#include "uikit/draw/TextEngine.h"

namespace uikit {

PangoContext* SharedPangoContext() {
    static PangoContext* context = [] {
        RegisterFontAliases();
        PangoFontMap* fontMap = pango_cairo_font_map_get_default();
        PangoContext* created = pango_font_map_create_context(fontMap);
        // Grey antialiasing and unhinted metrics: the same text measures the same on every
        // surface, which layout relies on.
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(created, options);
        cairo_font_options_destroy(options);
        return created;
    }();
    return context;
}

void InitTextEngine() {
    SharedPangoContext();
}

}  // namespace uikit
