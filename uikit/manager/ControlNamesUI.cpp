#include "uikit/manager/ControlNamesUI.h"

#include "uikit/controls/ControlUI.h"

namespace uikit {

CControlUI* ControlNamesUI::Find(std::u16string_view name) const {
    const auto found = names_.find(std::u16string(name));
    return found == names_.end() ? nullptr : found->second;
}

void ControlNamesUI::Add(CControlUI* control) {
    std::u16string name(control->GetName());
    if (!name.empty()) {
        names_.try_emplace(std::move(name), control);
    }
}

void ControlNamesUI::Remove(const CControlUI* control) {
    const auto found = names_.find(std::u16string(control->GetName()));
    if (found != names_.end() && found->second == control) {
        names_.erase(found);
    }
}

}  // namespace uikit
