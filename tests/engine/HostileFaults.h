#pragma once

#include <cstdint>

#include "tests/engine/FaultyFileServer.h"

// The hostile server the engine's frugality is measured against, by the tests and by the
// benchmark alike: of every hundred requests about twenty get a 503, twenty a whole answer to
// their range and thirty are cut at a random point.
inline FaultyFileServer::Faults HostileFaults(uint32_t seed) {
    FaultyFileServer::Faults faults;
    faults.randomSeed = seed;
    faults.failPercent = 20;
    faults.ignoreRangePercent = 20;
    faults.dropPercent = 30;
    return faults;
}
