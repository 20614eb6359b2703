#include "uikit/manager/NotifyQueueUI.h"

#include <algorithm>

#include "uikit/controls/ControlUI.h"
#include "uikit/controls/INotifyUI.h"

namespace uikit {

NotifyQueueUI::NotifyQueueUI(std::function<void(NotifyRecordUI&)> stamp)
    : stamp_(std::move(stamp)) {}

NotifyQueueUI::~NotifyQueueUI() = default;

bool NotifyQueueUI::AddNotifier(INotifyUI* notifier) {
    return notifiers_.Add(notifier);
}

bool NotifyQueueUI::RemoveNotifier(INotifyUI* notifier) {
    return notifiers_.Remove(notifier);
}

void NotifyQueueUI::Send(NotifyRecordUI& msg, bool async, bool enableRepeat) {
    if (stamp_) {
        stamp_(msg);
    }
    if (async) {
        Queue(msg, enableRepeat);
        return;
    }
    if (msg.sender != nullptr) {
        for (auto& delegate : msg.sender->OnNotify) {
            if (!delegate(msg)) {
                return;
            }
        }
    }
    NotifySinks(msg);
}

void NotifyQueueUI::Queue(const NotifyRecordUI& msg, bool enableRepeat) {
    if (!enableRepeat) {
        const auto same = std::ranges::find_if(queue_, [&msg](const NotifyRecordUI& queued) {
            return queued.sender == msg.sender && queued.type == msg.type;
        });
        if (same != queue_.end()) {
            *same = msg;
            return;
        }
    }
    queue_.push_back(msg);
    Post();
}

void NotifyQueueUI::NotifySinks(NotifyRecordUI& msg) {
    notifiers_.VisitUntil([&msg](INotifyUI& notifier) {
        notifier.Notify(msg);
        return false;
    });
}

void NotifyQueueUI::Deliver() {
    while (!queue_.empty()) {
        NotifyRecordUI msg = queue_.front();
        queue_.erase(queue_.begin());
        Send(msg, false, false);
    }
    DeleteDelayed();
}

void NotifyQueueUI::AddDelayedCleanup(CControlUI* control) {
    if (control == nullptr ||
        std::ranges::find(delayedCleanup_, control) != delayedCleanup_.end()) {
        return;
    }
    control->SetInternVisible(false);
    delayedCleanup_.push_back(control);
    Post();
}

void NotifyQueueUI::DeleteDelayed() {
    std::vector<CControlUI*> doomed;
    doomed.swap(delayedCleanup_);
    for (CControlUI* control : doomed) {
        delete control;
    }
}

void NotifyQueueUI::Forget(const CControlUI* control) {
    // A queued notification must not outlive its sender.
    std::erase_if(queue_, [control](const NotifyRecordUI& m) { return m.sender == control; });
    std::erase(delayedCleanup_, control);
}

void NotifyQueueUI::Post() {
    if (poster_) {
        poster_();
    }
}

}  // namespace uikit
