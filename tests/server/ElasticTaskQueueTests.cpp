#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "server/ElasticTaskQueue.h"
#include "tests/support/Poll.h"

// The queue that gives each connection a worker of its own: it grows while every worker is
// busy, stays within its cap, and runs what it was given before it shuts down.
namespace {

// Tasks that hold their worker until the test lets them go, as kept-alive connections do.
class Gate {
  public:
    void Hold() {
        std::unique_lock lock(mutex_);
        ++holding_;
        opened_.wait(lock, [this] { return open_; });
        --holding_;
    }
    void Open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    int Holding() {
        const std::lock_guard lock(mutex_);
        return holding_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable opened_;
    int holding_ = 0;
    bool open_ = false;
};

TEST(ElasticTaskQueue, StartsAWorkerForEachTaskThatFindsNoneFree) {
    ElasticTaskQueue queue(64);
    Gate gate;
    for (int i = 0; i < 20; ++i) {
        queue.enqueue([&gate] { gate.Hold(); });
    }
    // A fixed pool smaller than twenty would leave some tasks waiting behind the held ones.
    EXPECT_TRUE(PollUntil([&gate] { return gate.Holding() == 20; }));
    EXPECT_EQ(queue.Workers(), 20u);
    gate.Open();
    // Freed workers take new tasks instead of new workers being started.
    std::atomic<int> ran{0};
    EXPECT_TRUE(PollUntil([&gate] { return gate.Holding() == 0; }));
    for (int i = 0; i < 20; ++i) {
        queue.enqueue([&ran] { ++ran; });
    }
    EXPECT_TRUE(PollUntil([&ran] { return ran == 20; }));
    EXPECT_EQ(queue.Workers(), 20u);
    queue.shutdown();
}

TEST(ElasticTaskQueue, StaysWithinItsCapAndRunsTheRestLater) {
    ElasticTaskQueue queue(3);
    Gate gate;
    std::atomic<int> ran{0};
    for (int i = 0; i < 8; ++i) {
        queue.enqueue([&] {
            gate.Hold();
            ++ran;
        });
    }
    EXPECT_TRUE(PollUntil([&gate] { return gate.Holding() == 3; }));
    EXPECT_EQ(queue.Workers(), 3u);
    EXPECT_EQ(ran, 0);
    gate.Open();
    EXPECT_TRUE(PollUntil([&ran] { return ran == 8; }));
    EXPECT_EQ(queue.Workers(), 3u);
    queue.shutdown();
}

// Threads that count how many were started and how many have finished their work.
struct CountedThreads {
    std::atomic<int> started{0};
    std::atomic<int> finished{0};

    ElasticTaskQueue::ThreadStarter Starter() {
        return [this](std::function<void()> work) {
            ++started;
            return std::thread([this, work = std::move(work)] {
                work();
                ++finished;
            });
        };
    }
};

TEST(ElasticTaskQueue, ShutdownRunsWhatIsQueuedAndJoinsEveryWorker) {
    std::atomic<int> ran{0};
    CountedThreads threads;
    {
        ElasticTaskQueue queue(4, std::chrono::seconds(30), threads.Starter());
        for (int i = 0; i < 50; ++i) {
            queue.enqueue([&ran] {
                std::this_thread::yield();
                ++ran;
            });
        }
        queue.shutdown();
        EXPECT_EQ(ran, 50);
        EXPECT_EQ(queue.Workers(), 0u);
        // Joined, not merely told to stop: every worker is through when shutdown returns.
        EXPECT_GT(threads.started, 0);
        EXPECT_EQ(threads.finished, threads.started.load());
    }
    // The destructor's own shutdown after an explicit one does nothing twice.
    EXPECT_EQ(ran, 50);
}

TEST(ElasticTaskQueue, ATaskWhoseThreadCannotStartRunsOnAWorkerAlreadyThere) {
    std::atomic<int> starts{0};
    ElasticTaskQueue queue(8, std::chrono::seconds(30), [&starts](std::function<void()> work) {
        if (++starts > 1) {
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        }
        return std::thread(std::move(work));
    });
    Gate gate;
    std::atomic<int> ran{0};
    queue.enqueue([&] {
        gate.Hold();
        ++ran;
    });
    EXPECT_TRUE(PollUntil([&gate] { return gate.Holding() == 1; }));
    // The accept loop calls this; a throw here would end it and the server with it.
    EXPECT_NO_THROW(queue.enqueue([&ran] { ++ran; }));
    EXPECT_NO_THROW(queue.enqueue([&ran] { ++ran; }));
    EXPECT_EQ(starts, 3);
    EXPECT_EQ(queue.Workers(), 1u);
    EXPECT_EQ(ran, 0);
    gate.Open();
    EXPECT_TRUE(PollUntil([&ran] { return ran == 3; }));
    queue.shutdown();
}

TEST(ElasticTaskQueue, IdleWorkersLeaveAndNewOnesStartWhenWorkComesBack) {
    CountedThreads threads;
    ElasticTaskQueue queue(16, std::chrono::milliseconds(50), threads.Starter());
    Gate gate;
    for (int i = 0; i < 5; ++i) {
        queue.enqueue([&gate] { gate.Hold(); });
    }
    EXPECT_TRUE(PollUntil([&gate] { return gate.Holding() == 5; }));
    gate.Open();
    EXPECT_TRUE(PollUntil([&queue] { return queue.Workers() == 0; }));
    EXPECT_TRUE(PollUntil([&threads] { return threads.finished == 5; }));
    std::atomic<bool> ran{false};
    queue.enqueue([&ran] { ran = true; });
    EXPECT_TRUE(PollUntil([&ran] { return ran.load(); }));
    EXPECT_EQ(threads.started, 6);
    queue.shutdown();
    EXPECT_EQ(threads.finished, 6);
}

}  // namespace
