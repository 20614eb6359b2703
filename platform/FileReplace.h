#pragma once

#include <string_view>

namespace platform {

// Replaces the file's whole content in one step: the bytes go to a temporary file beside it,
// which is flushed to the disk and then renamed over the old file. A crash, a kill or a full
// disk at any moment leaves either the old content or the new one, never a part. False, with
// the old file untouched and no temporary file left, when any step fails.
bool ReplaceFileContent(std::u16string_view path, std::string_view bytes);

}  // namespace platform
