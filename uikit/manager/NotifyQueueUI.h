#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "uikit/controls/NotifyRecordUI.h"
#include "uikit/manager/ListenerListUI.h"

namespace uikit {

class CControlUI;
class INotifyUI;

// The notifications of one window: the sinks that hear them, the queue of those sent to be
// delivered later, and the removed controls that are deleted once the queue has been delivered
// (code up the stack may still be running in them when they are removed).
class NotifyQueueUI {
  public:
    // `stamp` marks each record as it goes out (where the pointer is, when it happened).
    explicit NotifyQueueUI(std::function<void(NotifyRecordUI&)> stamp);
    ~NotifyQueueUI();
    NotifyQueueUI(const NotifyQueueUI&) = delete;
    NotifyQueueUI& operator=(const NotifyQueueUI&) = delete;

    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);

    // Now: the sender's own handlers, and then, unless one of them stopped it, every sink.
    // Queued: a pending record of the same sender and type takes the new one's place, unless
    // repeats are enabled.
    void Send(NotifyRecordUI& msg, bool async, bool enableRepeat);
    void NotifySinks(NotifyRecordUI& msg);
    // Sends the queue in order, then deletes the controls waiting for deletion.
    void Deliver();
    void ClearQueue() { queue_.clear(); }
    size_t PendingCount() const { return queue_.size(); }
    // Called whenever something starts waiting, so the window can ask to be delivered.
    void SetPoster(std::function<void()> poster) { poster_ = std::move(poster); }

    // The control is hidden now and deleted at the next delivery.
    void AddDelayedCleanup(CControlUI* control);
    void DeleteDelayed();
    size_t DelayedCleanupCount() const { return delayedCleanup_.size(); }

    // A control that goes away takes its queued records and its pending deletion with it.
    void Forget(const CControlUI* control);

  private:
    void Queue(const NotifyRecordUI& msg, bool enableRepeat);
    void Post();

    std::function<void(NotifyRecordUI&)> stamp_;
    ListenerListUI<INotifyUI> notifiers_;
    std::vector<NotifyRecordUI> queue_;
    std::vector<CControlUI*> delayedCleanup_;
    std::function<void()> poster_;
};

}  // namespace uikit
