#pragma once

#include <string>
#include <string_view>

// The caption of a game tile: a short common name for the few games whose full names do not
// fit under a cover, the package name otherwise.
std::u16string TileName(std::u16string_view name);
