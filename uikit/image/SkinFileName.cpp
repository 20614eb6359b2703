#include "uikit/image/SkinFileName.h"

#include <algorithm>

#include "uikit/image/SkinArchive.h"

namespace uikit {

namespace {

bool IsRefused(char16_t c) {
    return c < u' ' || c == 0x7F || c == u'/' || c == u'\\' || c == u'\'' || c == u'"' ||
           c == u'=' || c == u':';
}

}  // namespace

bool IsPlainSkinFileName(std::u16string_view name) {
    if (name.empty() || name.size() > SkinArchive::kMaxNameLength) {
        return false;
    }
    if (std::all_of(name.begin(), name.end(), [](char16_t c) { return c == u'.'; })) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), IsRefused);
}

std::u16string SkinImageInFolder(std::u16string_view folder, std::u16string_view name) {
    if (!IsPlainSkinFileName(name)) {
        return {};
    }
    std::u16string image(folder);
    image += name;
    return image;
}

}  // namespace uikit
