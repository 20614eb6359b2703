#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "engine/RangeSet.h"

namespace dlengine {

struct WriteResult {
    uint32_t taskId = 0;
    uint32_t epoch = 0;
    ByteSpan span;
    int error = 0;
};

struct SyncResult {
    uint32_t taskId = 0;
    uint32_t epoch = 0;
    bool finalize = false;
    RangeSet synced;
    int error = 0;
};

// Results the worker threads hand back to the engine thread, which it collects once per turn
// of its loop; posting wakes it.
class Mailbox {
  public:
    explicit Mailbox(std::function<void()> wake) : wake_(std::move(wake)) {}

    void Post(WriteResult result) {
        {
            std::lock_guard lock(mutex_);
            writes_.push_back(result);
        }
        wake_();
    }
    void Post(SyncResult result) {
        {
            std::lock_guard lock(mutex_);
            syncs_.push_back(std::move(result));
        }
        wake_();
    }
    void Take(std::vector<WriteResult>& writes, std::vector<SyncResult>& syncs) {
        std::lock_guard lock(mutex_);
        writes.swap(writes_);
        syncs.swap(syncs_);
        writes_.clear();
        syncs_.clear();
    }

  private:
    std::function<void()> wake_;
    std::mutex mutex_;
    std::vector<WriteResult> writes_;
    std::vector<SyncResult> syncs_;
};

}  // namespace dlengine
