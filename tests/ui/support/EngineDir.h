#pragma once

#include "common/TextConvert.h"
#include "context/AppContext.h"

// The main window loads the download engine from the program's folder; in tests that folder is
// where the build put the engine.
inline void UseBuiltEngine(AppContext& context) {
    context.programDir = AnsiToUtf16(KAVRIN_ENGINE_DIR "/");
}
