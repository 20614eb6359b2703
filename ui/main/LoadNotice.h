#pragma once

#include <string_view>

namespace uikit {
class CWindowManagerUI;
}

// The notice of a page whose content comes from a server call: "loading" while the call runs,
// "offline" with its retry button when the call could not reach the server, nothing once the
// answer has filled the page. The notices are controls of the page's markup, found by name.
class LoadNotice {
  public:
    enum class State { kLoading, kOffline, kLoaded };

    LoadNotice(uikit::CWindowManagerUI& manager, std::u16string_view loadingName,
               std::u16string_view offlineName);

    void Show(State state);
    State Current() const { return state_; }

  private:
    void SetShown(std::u16string_view name, bool shown) const;

    uikit::CWindowManagerUI& manager_;
    std::u16string_view loadingName_;
    std::u16string_view offlineName_;
    // The markup starts in the loading state: the start-up call is running when the page is
    // first seen.
    State state_ = State::kLoading;
};
