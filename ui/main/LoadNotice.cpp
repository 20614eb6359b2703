#include "ui/main/LoadNotice.h"

#include "uikit/controls/ControlUI.h"
#include "uikit/manager/WindowManagerUI.h"

LoadNotice::LoadNotice(uikit::CWindowManagerUI& manager, std::u16string_view loadingName,
                       std::u16string_view offlineName)
    : manager_(manager), loadingName_(loadingName), offlineName_(offlineName) {}

void LoadNotice::Show(State state) {
    state_ = state;
    SetShown(loadingName_, state == State::kLoading);
    SetShown(offlineName_, state == State::kOffline);
}

void LoadNotice::SetShown(std::u16string_view name, bool shown) const {
    if (uikit::CControlUI* control = manager_.FindControl(name)) {
        control->SetVisible(shown);
    }
}
