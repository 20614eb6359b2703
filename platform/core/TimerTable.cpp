#include "platform/core/TimerTable.h"

#include <algorithm>

namespace platform::core {

void TimerTable::Add(WindowId window, uintptr_t id) {
    if (!Has(window, id)) {
        timers_.emplace_back(window, id);
    }
}

bool TimerTable::Remove(WindowId window, uintptr_t id) {
    const Key key{window, id};
    if (std::erase(timers_, key) == 0) {
        return false;
    }
    std::erase(due_, key);
    return true;
}

bool TimerTable::Has(WindowId window, uintptr_t id) const {
    return std::ranges::find(timers_, Key{window, id}) != timers_.end();
}

void TimerTable::MarkDue(WindowId window, uintptr_t id) {
    const Key key{window, id};
    if (Has(window, id) && std::ranges::find(due_, key) == due_.end()) {
        due_.push_back(key);
    }
}

bool TimerTable::PopDue(Key& timer) {
    if (due_.empty()) {
        return false;
    }
    timer = due_.front();
    due_.erase(due_.begin());
    return true;
}

void TimerTable::DropDue(WindowId window, uintptr_t id) {
    std::erase(due_, Key{window, id});
}

std::vector<uintptr_t> TimerTable::RemoveWindow(WindowId window) {
    std::vector<uintptr_t> ids;
    for (const Key& timer : timers_) {
        if (timer.first == window) {
            ids.push_back(timer.second);
        }
    }
    std::erase_if(timers_, [window](const Key& t) { return t.first == window; });
    std::erase_if(due_, [window](const Key& t) { return t.first == window; });
    return ids;
}

}  // namespace platform::core
