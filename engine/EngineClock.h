#pragma once

#include <chrono>

namespace dlengine {

// The engine's time: back-offs, ramp windows and checkpoints must not jump with the wall clock.
using Clock = std::chrono::steady_clock;

}  // namespace dlengine
