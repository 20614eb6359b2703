#include "server/ElasticTaskQueue.h"

#include <chrono>

namespace {

constexpr auto kIdleWorkerLife = std::chrono::seconds(30);

}  // namespace

ElasticTaskQueue::~ElasticTaskQueue() {
    shutdown();
}

void ElasticTaskQueue::enqueue(std::function<void()> task) {
    std::unique_lock lock(mutex_);
    JoinLeavers(lock);
    tasks_.push_back(std::move(task));
    if (idle_ >= tasks_.size() || workers_.size() >= maxWorkers_) {
        wake_.notify_one();
        return;
    }
    workers_.emplace_back();
    const Worker self = std::prev(workers_.end());
    *self = std::thread([this, self] { Work(self); });
}

void ElasticTaskQueue::shutdown() {
    std::unique_lock lock(mutex_);
    shuttingDown_ = true;
    wake_.notify_all();
    std::list<std::thread> running;
    running.swap(workers_);
    lock.unlock();
    for (std::thread& worker : running) {
        worker.join();
    }
    lock.lock();
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
        const bool woken = wake_.wait_for(lock, kIdleWorkerLife,
                                          [this] { return !tasks_.empty() || shuttingDown_; });
        --idle_;
        if (tasks_.empty()) {
            // Shutdown joins every worker it took over; one that leaves idle is joined later.
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
    std::vector<std::thread> leavers;
    leavers.swap(leavers_);
    lock.unlock();
    for (std::thread& leaver : leavers) {
        leaver.join();
    }
    lock.lock();
}
