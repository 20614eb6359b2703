#pragma once

typedef struct _PangoContext PangoContext;

namespace uikit {

// The one Pango context of the UI thread, over the cairo font map. The first call registers the
// face aliases (FontAliases.h) before Pango reads the font configuration.
PangoContext* SharedPangoContext();

}  // namespace uikit
