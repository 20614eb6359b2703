#include "ui/items/TileName.h"

#include <array>
#include <utility>

namespace {

// Tried in this order; the first whose text occurs in the name wins. The colons are the
// full-width ones the catalogue uses, so an ASCII colon does not match.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 3> kShortNames{{
    {u"CS1.6", u"反恐精英"},
    {u"魔兽争霸3：冰封王座", u"魔兽争霸"},
    {u"红色警戒2：共和国之辉", u"红色警戒"},
}};

}  // namespace

std::u16string TileName(std::u16string_view name) {
    for (const auto& [contained, caption] : kShortNames) {
        if (name.find(contained) != std::u16string_view::npos) {
            return std::u16string(caption);
        }
    }
    return std::u16string(name);
}
