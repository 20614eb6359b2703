#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace uikit {

class CControlUI;

// The option groups of one window: the members of each group, in the order they joined. A group
// that loses its last member by removal goes; one emptied by a leaving control stays known.
class OptionGroupsUI {
  public:
    // False when the control is in the group already.
    bool Add(std::u16string_view group, CControlUI* control);
    // Null for a group that has no entry.
    const std::vector<CControlUI*>* Find(std::u16string_view group) const;
    void Remove(std::u16string_view group, CControlUI* control);
    // The control leaves every group.
    void Forget(const CControlUI* control);

  private:
    std::map<std::u16string, std::vector<CControlUI*>, std::less<>> groups_;
};

}  // namespace uikit
