#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace dlengine {

// One thread that runs queued jobs in order; the destructor finishes the queue, then joins.
template <typename Job>
class WorkerThread {
  public:
    explicit WorkerThread(std::function<void(Job&)> run)
        : run_(std::move(run)), thread_([this] { Loop(); }) {}
    ~WorkerThread() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Post(Job job) {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        wake_.notify_one();
    }

  private:
    void Loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                return;
            }
            Job job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            run_(job);
            lock.lock();
        }
    }

    std::function<void(Job&)> run_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;  // last: starts once everything above exists
};

}  // namespace dlengine
