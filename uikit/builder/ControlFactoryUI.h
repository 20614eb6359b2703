#pragma once

#include <string_view>

namespace uikit {

class CControlUI;

// The library's tag table. Tags are compared without regard to case, except "Icon" and
// "GifAnim", which the skin format has always required exactly. Null for other tags.
CControlUI* CreateLibraryControl(std::u16string_view tag);

// Process-wide makers of further controls, asked in registration order after the library's
// table and before the builder's callback (UI thread only).
using ControlFactoryUI = CControlUI* (*)(std::u16string_view tag);
void RegisterControlFactory(ControlFactoryUI factory);
void UnregisterControlFactory(ControlFactoryUI factory);
CControlUI* CreatePlugInControl(std::u16string_view tag);

}  // namespace uikit
