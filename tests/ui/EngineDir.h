#pragma once

#include "app/AppContext.h"
#include "common/TextConvert.h"

// The main window loads the download engine from the program's folder; in tests that folder is
// where the build put the engine.
inline void UseBuiltEngine(AppContext& context) {
    context.programDir = AnsiToUtf16(KAVRIN_ENGINE_DIR "/");
}
