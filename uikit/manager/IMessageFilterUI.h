#pragma once

#include <cstdint>

namespace uikit {

// Sees a window's messages before its manager does; setting `handled` ends the handling there
// with the returned result (a dialog turns Escape into its close this way).
class IMessageFilterUI {
  public:
    virtual ~IMessageFilterUI() = default;
    virtual intptr_t MessageHandler(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                    bool& handled) = 0;
};

}  // namespace uikit
