#pragma once

#include <string_view>

namespace uikit {

class CControlUI;

// The library's tag table. Tags are compared without regard to case, except "Icon" and
// "GifAnim", which the skin format has always required exactly. Null for other tags.
CControlUI* CreateLibraryControl(std::u16string_view tag);

}  // namespace uikit
