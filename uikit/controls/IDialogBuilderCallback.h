#pragma once

#include <string_view>

namespace uikit {

class CControlUI;

// Makes controls for tags the library does not know (item rows, menus). Returning null lets the
// builder skip the element with its subtree.
class IDialogBuilderCallback {
  public:
    virtual ~IDialogBuilderCallback() = default;
    virtual CControlUI* CreateControl(std::u16string_view tag) = 0;
};

}  // namespace uikit
