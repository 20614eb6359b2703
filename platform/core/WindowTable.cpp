#include "platform/core/WindowTable.h"

namespace platform::core {

WindowId WindowTable::Add(const std::shared_ptr<WindowRecord>& record) {
    record->id = nextId_++;
    windows_[record->id] = record;
    return record->id;
}

std::shared_ptr<WindowRecord> WindowTable::Find(WindowId window) const {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<WindowRecord>> WindowTable::OwnedBy(WindowId owner) const {
    std::vector<std::shared_ptr<WindowRecord>> owned;
    for (const auto& [id, record] : windows_) {
        if (record->owner == owner) {
            owned.push_back(record);
        }
    }
    return owned;
}

}  // namespace platform::core
