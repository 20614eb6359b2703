#include "engine/BufferPool.h"

namespace dlengine {

std::unique_ptr<Block> BufferPool::Acquire() {
    std::lock_guard lock(mutex_);
    if (!free_.empty()) {
        auto block = std::move(free_.back());
        free_.pop_back();
        block->used = 0;
        return block;
    }
    if (created_ < limit_) {
        ++created_;
        return std::make_unique<Block>(blockSize_);
    }
    return nullptr;
}

void BufferPool::Release(std::unique_ptr<Block> block) {
    if (block) {
        std::lock_guard lock(mutex_);
        free_.push_back(std::move(block));
    }
}

bool BufferPool::HasFree() const {
    std::lock_guard lock(mutex_);
    return !free_.empty() || created_ < limit_;
}

}  // namespace dlengine
