#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include "platform/CrashHandler.h"

namespace platform {
namespace {

// Room for the filter's own frames; its large buffers are static.
constexpr size_t kCrashStackSize = 64 * 1024;

// A thread's stack for the crash filter, with an inaccessible page below it so that a filter
// overrunning it faults instead of writing over whatever lies there.
class CrashStack {
  public:
    CrashStack() {
        guard_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        const long wanted = sysconf(_SC_SIGSTKSZ);
        stackSize_ = wanted > static_cast<long>(kCrashStackSize) ? static_cast<size_t>(wanted)
                                                                 : kCrashStackSize;
        void* memory = mmap(nullptr, guard_ + stackSize_, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
        if (memory == MAP_FAILED) {
            return;
        }
        memory_ = static_cast<char*>(memory);
        stack_t stack = {};
        stack.ss_sp = memory_ + guard_;
        stack.ss_size = stackSize_;
        if (mprotect(memory_, guard_, PROT_NONE) != 0 || sigaltstack(&stack, nullptr) != 0) {
            munmap(memory_, guard_ + stackSize_);
            memory_ = nullptr;
        }
    }
    ~CrashStack() {
        if (memory_ == nullptr) {
            return;
        }
        stack_t off = {};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
        munmap(memory_, guard_ + stackSize_);
    }
    CrashStack(const CrashStack&) = delete;
    CrashStack& operator=(const CrashStack&) = delete;

  private:
    char* memory_ = nullptr;
    size_t guard_ = 0;
    size_t stackSize_ = 0;
};

}  // namespace

void GiveThreadCrashStack() {
    thread_local CrashStack stack;
}

}  // namespace platform
