#pragma once

#include <cstddef>

#include "common/CivilTime.h"

// The file name of a crash dump written at that local time: PREFIX_M-D_h-m-s.dmp (month, day,
// hour, minute and second without leading zeros, no year), e.g. Client_8-4_13-5-9.dmp. Writes
// it with its terminator into name and returns true; false, leaving name empty, when capacity
// is too small. Touches nothing but its arguments, so a signal handler may call it.
bool FormatCrashDumpName(const char* prefix, const CivilTime& time, char* name, size_t capacity);
