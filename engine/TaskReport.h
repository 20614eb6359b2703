#pragma once

#include <cstdint>

namespace dlengine {

// What a task shows to the caller, copied out of the engine thread after every turn.
struct TaskReport {
    int32_t state = 0;
    int64_t totalBytes = -1;
    int64_t downloadedBytes = 0;
    int64_t bytesPerSecond = 0;
    int32_t errorCode = 0;
    int32_t httpStatus = 0;
    int32_t connections = 0;
    int64_t fetchedBytes = 0;
};

}  // namespace dlengine
