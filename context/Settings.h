#pragma once

#include "context/AppContext.h"

// Reads the settings file once at start-up and repairs it: software id and version default to
// 140 and 101, the display version is rewritten, and a missing or invalid client identifier is
// replaced by a new one. Always true.
bool ReadSettings(AppContext& context);
