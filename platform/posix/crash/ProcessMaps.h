#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::crash {

struct MappedFile {
    uint64_t base;     // where the file's start is mapped
    uint64_t end;      // the end of its last mapping that follows on
    const char* path;  // as the system lists it
};

struct MemorySpan {
    uint64_t start = 0;
    uint64_t end = 0;
};

// What the dump needs of this process's mappings, read from /proc/self/maps into fixed tables:
// every file mapped from its start, with the extent of the mappings of it that follow, and the
// mapping of one stack. A process with more files than the tables hold gets the first ones.
class ProcessMaps {
  public:
    // Reads the maps; stackPointer names the stack whose mapping is kept. False when the maps
    // cannot be read.
    bool Read(uint64_t stackPointer);

    size_t FileCount() const { return fileCount_; }
    const MappedFile& File(size_t index) const { return files_[index]; }

    // The mapping that holds the stack pointer, or the first one above it when a stack that
    // overflowed left the pointer below its mapping; empty when there is none.
    MemorySpan Stack() const { return stack_; }

  private:
    static constexpr size_t kMaxFiles = 1024;
    static constexpr size_t kPathPoolSize = 256 * 1024;
    static constexpr size_t kLineCapacity = 8192;

    void AddLine(const char* line, size_t length);
    void AddFile(uint64_t start, uint64_t end, const char* path, size_t pathLength);
    bool ExtendsLastFile(const char* path, size_t pathLength) const;

    uint64_t stackPointer_ = 0;
    MemorySpan stack_;
    MappedFile files_[kMaxFiles];
    size_t fileCount_ = 0;
    char paths_[kPathPoolSize];
    size_t pathsUsed_ = 0;
    char line_[kLineCapacity];
};

}  // namespace platform::crash
