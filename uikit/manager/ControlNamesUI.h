#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace uikit {

class CControlUI;

// The named controls of one window. The first control of a name keeps it; a later one of the
// same name is not entered, and does not take the name over when the first one leaves.
class ControlNamesUI {
  public:
    CControlUI* Find(std::u16string_view name) const;
    // Enters the control under its current name; an unnamed control is not entered.
    void Add(CControlUI* control);
    // Frees the control's current name, if it is the control that holds it.
    void Remove(const CControlUI* control);

  private:
    std::unordered_map<std::u16string, CControlUI*> names_;
};

}  // namespace uikit
