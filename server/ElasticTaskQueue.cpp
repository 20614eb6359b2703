#include "server/ElasticTaskQueue.h"

#include <chrono>
#include <system_error>
#include <utility>

namespace {

// Joins threads with the lock let go, since each may still need it on its way out.
template <typename Threads>
void JoinUnlocked(std::unique_lock<std::mutex>& lock, Threads threads) {
    lock.unlock();
    for (std::thread& thread : threads) {
        thread.join();
    }
    lock.lock();
}

}  // namespace

ElasticTaskQueue::ElasticTaskQueue(size_t maxWorkers, std::chrono::milliseconds idleWorkerLife,
                                   ThreadStarter startThread)
    : maxWorkers_(maxWorkers),
      idleWorkerLife_(idleWorkerLife),
      startThread_(std::move(startThread)) {}

std::thread ElasticTaskQueue::StartSystemThread(std::function<void()> work) {
    return std::thread(std::move(work));
}

ElasticTaskQueue::~ElasticTaskQueue() {
    shutdown();
}

void ElasticTaskQueue::enqueue(std::function<void()> task) {
    std::unique_lock lock(mutex_);
    JoinLeavers(lock);
    tasks_.push_back(std::move(task));
    if (idle_ >= tasks_.size() || workers_.size() >= maxWorkers_ || !StartWorker()) {
        wake_.notify_one();
    }
}

bool ElasticTaskQueue::StartWorker() {
    workers_.emplace_back();
    const Worker self = std::prev(workers_.end());
    try {
        *self = startThread_([this, self] { Work(self); });
    } catch (const std::system_error&) {
        // Out of threads under a crowd: the library's accept loop must not end on it. The task
        // waits for a worker that is there, or for the start the next connection tries.
        workers_.erase(self);
        return false;
    }
    return true;
}

void ElasticTaskQueue::shutdown() {
    std::unique_lock lock(mutex_);
    shuttingDown_ = true;
    wake_.notify_all();
    // Shutdown joins every worker it took over; one that left idle before is a leaver.
    JoinUnlocked(lock, std::exchange(workers_, {}));
    JoinLeavers(lock);
}

size_t ElasticTaskQueue::Workers() {
    const std::lock_guard lock(mutex_);
    return workers_.size();
}

void ElasticTaskQueue::Work(Worker self) {
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        const bool woken = wake_.wait_for(lock, idleWorkerLife_,
                                          [this] { return !tasks_.empty() || shuttingDown_; });
        --idle_;
        if (tasks_.empty()) {
            if (!woken && !shuttingDown_) {
                leavers_.push_back(std::move(*self));
                workers_.erase(self);
            }
            if (!woken || shuttingDown_) {
                return;
            }
            continue;
        }
        std::function<void()> task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}

void ElasticTaskQueue::JoinLeavers(std::unique_lock<std::mutex>& lock) {
    JoinUnlocked(lock, std::exchange(leavers_, {}));
}
