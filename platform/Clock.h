#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since the system started, in 32 bits (it wraps after about 49 days).
uint32_t TickCount();

// Seconds since 1970-01-01 UTC.
int64_t UnixTime();

void SleepMs(uint32_t milliseconds);

}  // namespace platform
