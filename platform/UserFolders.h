#pragma once

#include <cstdint>
#include <string>

// The user's folders and the room left on a volume. Paths are UTF-8.
namespace platform {

// The user's Downloads folder: the desktop's own setting (XDG_DOWNLOAD_DIR of the user-dirs
// file), else $HOME/Downloads.
std::string DownloadsFolder();

// The Downloads entry of a user-dirs file's text, with "$HOME" replaced by home; empty when the
// text sets none or sets it to something other than an absolute path or one under $HOME.
std::string DownloadsFolderFromUserDirs(const std::string& text, const std::string& home);

// Bytes free for an ordinary user on the volume holding path; false when it cannot be told.
bool FreeSpace(const std::string& path, uint64_t& bytes);

}  // namespace platform
