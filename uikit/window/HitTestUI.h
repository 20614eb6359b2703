#pragma once

#include <cstdint>

#include "uikit/draw/Geometry.h"

namespace uikit {

class CWindowManagerUI;

// The non-client hit-test answer of a borderless skinned window for a point in client
// coordinates: a sizing code within the "sizebox" borders (when sizing applies), "caption" over
// the caption band where no button, option or text lies, else "client".
intptr_t SkinHitTest(const CWindowManagerUI& manager, Point client, bool sizable);

}  // namespace uikit
