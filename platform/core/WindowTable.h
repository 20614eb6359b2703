#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/WindowPost.h"
#include "platform/core/WindowRecord.h"

namespace platform::core {

// The records of the live windows, by id. A record is shared so that a caller can hold it
// while a message it sends destroys the window.
class WindowTable {
  public:
    // Enters the record under the next id, which it is given.
    WindowId Add(const std::shared_ptr<WindowRecord>& record);
    void Remove(WindowId window) { windows_.erase(window); }
    // Null for 0 and for a window that is gone.
    std::shared_ptr<WindowRecord> Find(WindowId window) const;
    bool Empty() const { return windows_.empty(); }
    // The windows `owner` owns, in the order of their ids.
    std::vector<std::shared_ptr<WindowRecord>> OwnedBy(WindowId owner) const;

  private:
    std::map<WindowId, std::shared_ptr<WindowRecord>> windows_;
    WindowId nextId_ = 0x10000;
};

}  // namespace platform::core
