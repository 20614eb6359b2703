#pragma once

#include <cstdint>
#include <string_view>

#include "context/AppContext.h"

// Reads the settings file once at start-up and repairs it: software id and version default to
// 140 and 101, the display version is rewritten, and a missing or invalid client identifier is
// replaced by a new one. Always true.
bool ReadSettings(AppContext& context);

// The software id and version as ReadSettings takes them (the same defaults), without touching
// the file: for the updater, which must not repair or rewrite what the client keeps there.
struct SoftIdentity {
    int32_t softId = 0;
    int32_t version = 0;
};
SoftIdentity PeekSoftIdentity(std::u16string_view settingsPath);

// Records the version now installed, where ReadSettings reads it. False when the file cannot be
// written.
bool WriteSoftVersion(std::u16string_view settingsPath, int32_t version);
