#pragma once

#include "platform/WindowPost.h"
#include "uikit/draw/Canvas.h"

namespace uikit {

// Copies what was drawn into a canvas to a window: the frame of a window, the picture of a
// layered shadow or of a tooltip. Nothing happens for no window or an unusable canvas.
void PresentCanvas(platform::WindowId window, const Canvas& canvas);

}  // namespace uikit
