#pragma once

#include <condition_variable>
#include <mutex>

// Lets threads do something at the same moment: each arrives and waits, and all go on once the
// last has arrived. What std::latch does; that one waits through the library's atomic waits,
// which in the MinGW-w64 build of this compiler can miss a wake-up and leave a thread waiting for
// ever, so it is built here on a mutex and a condition variable.
class StartTogether {
  public:
    explicit StartTogether(int count) : left_(count) {}
    StartTogether(const StartTogether&) = delete;
    StartTogether& operator=(const StartTogether&) = delete;

    void ArriveAndWait() {
        std::unique_lock lock(mutex_);
        if (--left_ <= 0) {
            allHere_.notify_all();
            return;
        }
        allHere_.wait(lock, [this] { return left_ <= 0; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable allHere_;
    int left_;
};
