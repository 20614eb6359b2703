#pragma once

#include <string_view>

namespace platform {

// Replaces the file's whole content in one step: the bytes go to a temporary file beside it,
// which is flushed to the disk and then renamed over the old file. A crash, a kill or a full
// disk at any moment leaves either the old content or the new one, never a part. False, with
// the old file untouched and no temporary file left, when any step fails.
bool ReplaceFileContent(std::u16string_view path, std::string_view bytes);

// Writes the bytes into the file (created or emptied first) and flushes them to the disk, for a
// file that is renamed over another later and must then be whole. False when any step fails.
bool WriteFileToDisk(std::u16string_view path, std::string_view bytes);

}  // namespace platform
