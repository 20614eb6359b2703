#pragma once

#include <cstdint>

// The C runtime's rand/srand as Kavrin's ids and nonces expect them: a linear congruential
// generator giving 0..32767, with its state kept per thread so that workers never share it.

constexpr int kRuntimeRandMax = 32767;

void RuntimeSrand(uint32_t seed);
int RuntimeRand();
