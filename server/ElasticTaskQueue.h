#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

#include <httplib.h>

// The library runs each connection as one task from accept to close, kept-alive idle time
// included. A fixed pool lets idle connections hold every worker while new ones wait; this
// queue starts another worker whenever none is free, up to a cap that the open file limit
// allows, and lets workers go after a while without work.
class ElasticTaskQueue final : public httplib::TaskQueue {
  public:
    // Makes the thread a worker runs on; the server's own throws std::system_error when the
    // system has none left, as std::thread does.
    using ThreadStarter = std::function<std::thread(std::function<void()>)>;

    explicit ElasticTaskQueue(size_t maxWorkers,
                              std::chrono::milliseconds idleWorkerLife = std::chrono::seconds(30),
                              ThreadStarter startThread = StartSystemThread);
    ~ElasticTaskQueue() override;

    void enqueue(std::function<void()> task) override;
    void shutdown() override;

    size_t Workers();

  private:
    static std::thread StartSystemThread(std::function<void()> work);

    using Worker = std::list<std::thread>::iterator;

    void Work(Worker self);
    // Starts one more worker; false when the system has no thread to give, and the task then
    // waits for a worker that is already there.
    bool StartWorker();
    // Joins the workers that left on their own; called with the lock held.
    void JoinLeavers(std::unique_lock<std::mutex>& lock);

    const size_t maxWorkers_;
    const std::chrono::milliseconds idleWorkerLife_;
    const ThreadStarter startThread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    std::list<std::thread> workers_;
    std::vector<std::thread> leavers_;
    size_t idle_ = 0;
    bool shuttingDown_ = false;
};
