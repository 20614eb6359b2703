#include "uikit/manager/OptionGroupsUI.h"

#include <algorithm>

namespace uikit {

bool OptionGroupsUI::Add(std::u16string_view group, CControlUI* control) {
    auto& members = groups_[std::u16string(group)];
    if (std::ranges::find(members, control) != members.end()) {
        return false;
    }
    members.push_back(control);
    return true;
}

const std::vector<CControlUI*>* OptionGroupsUI::Find(std::u16string_view group) const {
    const auto found = groups_.find(group);
    return found == groups_.end() ? nullptr : &found->second;
}

void OptionGroupsUI::Remove(std::u16string_view group, CControlUI* control) {
    const auto found = groups_.find(group);
    if (found == groups_.end()) {
        return;
    }
    std::erase(found->second, control);
    if (found->second.empty()) {
        groups_.erase(found);
    }
}

void OptionGroupsUI::Forget(const CControlUI* control) {
    for (auto& [group, members] : groups_) {
        std::erase(members, control);
    }
}

}  // namespace uikit
