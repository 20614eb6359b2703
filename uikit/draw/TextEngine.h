#pragma once

namespace uikit {

// Readies the build's text engine (on Linux: registers the face aliases of FontAliases.h before
// Pango reads the font configuration). Call it before any other code starts the engine.
void InitTextEngine();

}  // namespace uikit
