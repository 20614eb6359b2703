#include "uikit/manager/ControlTimersUI.h"

#include <algorithm>

namespace uikit {

int ControlTimersUI::Set(CControlUI* control, int localId, int periodMs) {
    if (Entry* entry = FindEntry(control, localId)) {
        if (!entry->killed) {
            return -1;
        }
        entry->killed = false;
        entry->periodMs = periodMs;
        return entry->nativeId;
    }
    entries_.push_back(Entry{control, localId, NextNativeId(), periodMs, false});
    return entries_.back().nativeId;
}

bool ControlTimersUI::Kill(CControlUI* control, int localId) {
    Entry* entry = FindEntry(control, localId);
    if (entry == nullptr) {
        return false;
    }
    entry->killed = true;
    return true;
}

void ControlTimersUI::RemoveAll(CControlUI* control) {
    std::erase_if(entries_, [control](const Entry& e) { return e.control == control; });
}

const ControlTimersUI::Entry* ControlTimersUI::FindLive(int nativeId) const {
    for (const Entry& entry : entries_) {
        if (entry.nativeId == nativeId && !entry.killed) {
            return &entry;
        }
    }
    return nullptr;
}

const ControlTimersUI::Entry* ControlTimersUI::Find(const CControlUI* control, int localId) const {
    for (const Entry& entry : entries_) {
        if (entry.control == control && entry.localId == localId) {
            return &entry;
        }
    }
    return nullptr;
}

ControlTimersUI::Entry* ControlTimersUI::FindEntry(const CControlUI* control, int localId) {
    return const_cast<Entry*>(Find(control, localId));
}

int ControlTimersUI::NextNativeId() {
    lastNativeId_ = (lastNativeId_ + 1) % 255;
    return lastNativeId_;
}

}  // namespace uikit
