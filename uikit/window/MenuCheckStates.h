#pragma once

#include "uikit/window/MenuWnd.h"

namespace uikit {

class CControlUI;

// Gives every check item under `root` (sub-menu items included) the state the caller keeps for
// its name; items the caller has no state for keep their markup state. Nothing without states.
void ApplyCheckStates(CControlUI* root, const MenuCheckStates* states);

}  // namespace uikit
