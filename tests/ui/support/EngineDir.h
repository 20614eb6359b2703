#pragma once

#include "common/TextConvert.h"
#include "context/AppContext.h"

// The main window loads the download engine from the program's folder; in tests that folder is
// where the build put the engine. No record of downloads is kept there: a test that wants one
// names a file of its own.
inline void UseBuiltEngine(AppContext& context) {
    context.programDir = AnsiToUtf16(KAVRIN_ENGINE_DIR "/");
    context.recordPath.clear();
}
