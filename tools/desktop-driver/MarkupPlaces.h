#pragma once

#include <string>
#include <vector>

#include "platform/Geometry.h"

// Where the skin puts a control, found by laying its file out on the headless window system as
// the program lays it out. Points a driver clicks or reads come from here rather than from a
// screenshot, so a change of the skin's look moves them along with the skin.
namespace desktop {

// The control's rectangle in its window's client coordinates; empty when the file does not
// build or has no such control. Settings "CONTROL.ATTRIBUTE=VALUE" apply before the layout (a
// page selected, a group shown); an item file is laid out at the size of the cell it fills.
platform::Rect PlaceInMarkup(const std::u16string& file, const std::u16string& control,
                             const std::vector<std::string>& settings = {}, int itemWidth = 0,
                             int itemHeight = 0);

platform::Point CentreOf(const platform::Rect& rect);
// Half-way down the left border, where a bordered button shows its border colour unblended.
platform::Point LeftBorderOf(const platform::Rect& rect);
platform::Rect Offset(const platform::Rect& rect, platform::Point by);

}  // namespace desktop
