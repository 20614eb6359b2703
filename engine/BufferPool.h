#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace dlengine {

// A piece of received file data on its way to the disk.
struct Block {
    explicit Block(size_t capacity) : data(new char[capacity]), capacity(capacity) {}
    std::unique_ptr<char[]> data;
    size_t capacity;
    size_t used = 0;
    int64_t offset = 0;
    uint32_t taskId = 0;
    uint32_t epoch = 0;
    size_t space() const { return capacity - used; }
};

// A fixed number of blocks shared by every transfer. When it runs dry, transfers pause until
// the writer hands blocks back, so memory stays bounded whatever the number or size of files.
class BufferPool {
  public:
    BufferPool(size_t blockSize, size_t blockCount) : blockSize_(blockSize), limit_(blockCount) {}

    // Null when every block is in use.
    std::unique_ptr<Block> Acquire();
    void Release(std::unique_ptr<Block> block);
    size_t blockSize() const { return blockSize_; }
    bool HasFree() const;

  private:
    const size_t blockSize_;
    const size_t limit_;
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<Block>> free_;
    size_t created_ = 0;
};

}  // namespace dlengine
