#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::crash {

// The ids of this process's threads from /proc/self/task, at most capacity of them; returns how
// many were stored.
size_t ReadThreadIds(uint32_t* ids, size_t capacity);

}  // namespace platform::crash
