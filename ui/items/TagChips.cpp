#include "ui/items/TagChips.h"

#include <algorithm>

namespace {

// Far wider than any window; keeps the product inside an int for absurd server texts.
constexpr size_t kMaxChipUnits = 10000;

}  // namespace

std::vector<std::u16string> SplitTags(std::u16string_view tag) {
    std::vector<std::u16string> pieces;
    size_t start = 0;
    while (start <= tag.size()) {
        size_t end = tag.find(u',', start);
        if (end == std::u16string_view::npos) {
            end = tag.size();
        }
        if (end > start) {
            pieces.emplace_back(tag.substr(start, end - start));
        }
        start = end + 1;
    }
    return pieces;
}

int ChipWidth(size_t units) {
    const int n = static_cast<int>(std::min(units, kMaxChipUnits));
    return n < 4 ? n * 24 : n * 17;
}
