#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::crash {

// Reads this process's own memory through /proc/self/mem, so that an address which is not
// mapped, or a mapped file that has shrunk, gives an error instead of a second fault inside
// the crash filter.
class SelfMemory {
  public:
    SelfMemory();
    ~SelfMemory();
    SelfMemory(const SelfMemory&) = delete;
    SelfMemory& operator=(const SelfMemory&) = delete;

    // True when all size bytes at address were read into out.
    bool Read(uint64_t address, void* out, size_t size) const;

  private:
    int fd_;
};

}  // namespace platform::crash
