#pragma once

#include <string>
#include <string_view>
#include <vector>

// The tag texts of a package's comma-separated tag list, in order. Empty pieces (leading,
// trailing or doubled commas) are dropped; blanks are kept, they are part of the text.
std::vector<std::u16string> SplitTags(std::u16string_view tag);

// The width of a detail-page chip for a text of that many UTF-16 units: short texts get more
// room per character so their rounded ends do not crowd the text.
int ChipWidth(size_t units);
