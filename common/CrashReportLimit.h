#pragma once

#include <cstdint>

// The largest crash report the reporter sends and the reference server takes. A dump of the
// client stays far below it; a file above it is no dump of ours, and neither side holds one in
// memory.
constexpr uint64_t kMaxCrashReportBytes = uint64_t{64} << 20;
