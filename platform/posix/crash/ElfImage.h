#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/posix/crash/SelfMemory.h"

namespace platform::crash {

constexpr size_t kBuildIdCapacity = 64;

// Whether an ELF image of this machine's kind is loaded at base.
bool IsElfImage(const SelfMemory& memory, uint64_t base);

// The build id of the ELF image loaded at base, from its GNU build-id note in memory, into id;
// returns its length, 0 when the image has none or it cannot be read.
size_t ReadBuildId(const SelfMemory& memory, uint64_t base, uint8_t* id, size_t capacity);

}  // namespace platform::crash
