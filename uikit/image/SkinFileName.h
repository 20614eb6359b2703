#pragma once

#include <string>
#include <string_view>

namespace uikit {

// True when `name` can only mean a file directly inside one folder of the skin: not empty, no
// folder separators, no "." or "..", no control characters, and none of the characters that
// make an image attribute more than a name (quotes and "=").
bool IsPlainSkinFileName(std::u16string_view name);

// The image attribute for a file name that came from outside the skin (the server's catalogue):
// `folder` followed by the name, or empty (no image) when the name is not a plain file name.
std::u16string SkinImageInFolder(std::u16string_view folder, std::u16string_view name);

}  // namespace uikit
