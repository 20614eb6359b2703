#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/WindowPost.h"

namespace platform::core {

// The timers of every window and the ticks that wait to be delivered. The native side counts
// the time; this table decides which of its ticks still count.
class TimerTable {
  public:
    using Key = std::pair<WindowId, uintptr_t>;

    // Setting a timer that is set already keeps its one entry.
    void Add(WindowId window, uintptr_t id);
    // False when the timer is not set; its waiting tick goes with it.
    bool Remove(WindowId window, uintptr_t id);
    bool Has(WindowId window, uintptr_t id) const;
    // A tick that comes while the last one still waits is dropped: one pending tick per timer.
    void MarkDue(WindowId window, uintptr_t id);
    // The oldest waiting tick; false when none waits.
    bool PopDue(Key& timer);
    // The timer fired on demand: a tick still waiting would fire it twice.
    void DropDue(WindowId window, uintptr_t id);
    // Every timer of the window goes, with its waiting ticks; the ids that were set.
    std::vector<uintptr_t> RemoveWindow(WindowId window);

  private:
    std::vector<Key> timers_;
    std::vector<Key> due_;
};

}  // namespace platform::core
