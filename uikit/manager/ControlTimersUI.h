#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace uikit {

class CControlUI;

// The control timers of one window. Every new (control, local id) pair gets the next native id;
// the platform layer arms a native timer with it, and its ticks come back through Find().
class ControlTimersUI {
  public:
    struct Entry {
        CControlUI* control = nullptr;
        int localId = 0;
        int nativeId = 0;
        int periodMs = 0;
        bool killed = false;
    };

    // The native id of the new or re-armed timer; -1 when that timer is already running.
    int Set(CControlUI* control, int localId, int periodMs);
    // False when the pair has no entry.
    bool Kill(CControlUI* control, int localId);
    void RemoveAll(CControlUI* control);
    // The live entry of a native id, null when it is unknown or killed.
    const Entry* FindLive(int nativeId) const;
    const Entry* Find(const CControlUI* control, int localId) const;
    size_t Count() const { return entries_.size(); }
    const std::vector<Entry>& Entries() const { return entries_; }

  private:
    Entry* FindEntry(const CControlUI* control, int localId);
    int NextNativeId();

    std::vector<Entry> entries_;
    // The ids count from 4096 modulo 255, so the first is 17. The numbers are kept so a timer
    // keeps the id the platform layer knows it by.
    int lastNativeId_ = 4096;
};

}  // namespace uikit
