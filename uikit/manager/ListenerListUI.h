#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace uikit {

// The listeners of a window (notification sinks, message filters), called in registration
// order. A listener may remove itself or another while it is being called: the walk goes on
// with the next one still registered and never skips one. A listener added during a walk is
// called by that walk too, at its end.
template <typename Listener>
class ListenerListUI {
  public:
    // False for null and for one that is already registered.
    bool Add(Listener* listener) {
        if (listener == nullptr || Contains(listener)) {
            return false;
        }
        listeners_.push_back(listener);
        return true;
    }

    bool Remove(Listener* listener) {
        const auto found = std::ranges::find(listeners_, listener);
        if (listener == nullptr || found == listeners_.end()) {
            return false;
        }
        // A walk may be holding an index past this slot; it is emptied now and closed up once
        // the last walk is over.
        if (walks_ > 0) {
            *found = nullptr;
        } else {
            listeners_.erase(found);
        }
        return true;
    }

    bool Contains(const Listener* listener) const {
        return listener != nullptr && std::ranges::find(listeners_, listener) != listeners_.end();
    }

    size_t Count() const {
        return listeners_.size() - static_cast<size_t>(std::ranges::count(listeners_, nullptr));
    }

    // Calls `visit` on each listener until one returns true; true when one did.
    template <typename Visit>
    bool VisitUntil(Visit&& visit) {
        const WalkScope scope(*this);
        // By index: the vector may grow while a listener runs.
        for (size_t i = 0; i < listeners_.size(); ++i) {
            if (Listener* listener = listeners_[i]; listener != nullptr && visit(*listener)) {
                return true;
            }
        }
        return false;
    }

  private:
    class WalkScope {
      public:
        explicit WalkScope(ListenerListUI& list) : list_(list) { ++list_.walks_; }
        ~WalkScope() {
            if (--list_.walks_ == 0) {
                std::erase(list_.listeners_, nullptr);
            }
        }
        WalkScope(const WalkScope&) = delete;
        WalkScope& operator=(const WalkScope&) = delete;

      private:
        ListenerListUI& list_;
    };

    std::vector<Listener*> listeners_;
    int walks_ = 0;
};

}  // namespace uikit
