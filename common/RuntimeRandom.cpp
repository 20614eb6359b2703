#include "common/RuntimeRandom.h"

namespace {

// A thread that never seeds starts from 1, as the runtime does.
thread_local uint32_t tRandomState = 1;

}  // namespace

void RuntimeSrand(uint32_t seed) {
    tRandomState = seed;
}

int RuntimeRand() {
    tRandomState = tRandomState * 214013u + 2531011u;
    return static_cast<int>((tRandomState >> 16) & 0x7FFF);
}
