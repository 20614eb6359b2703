#pragma once

#include <cstdint>
#include <string>

// The user's folders, and what a folder can take: new files at all, and how many bytes. Paths
// are UTF-8.
namespace platform {

// The user's Downloads folder: the desktop's own setting (XDG_DOWNLOAD_DIR of the user-dirs
// file), else $HOME/Downloads.
std::string DownloadsFolder();

// The Downloads entry of a user-dirs file's text, with "$HOME" replaced by home; empty when the
// text sets none or sets it to something other than an absolute path or one under $HOME.
std::string DownloadsFolderFromUserDirs(const std::string& text, const std::string& home);

// Bytes free for an ordinary user on the volume holding path; false when it cannot be told.
bool FreeSpace(const std::string& path, uint64_t& bytes);

// Whether the current user may make files in the folder: false for a path that is missing or not
// a folder, without write and search permission, or on a read-only volume.
bool IsWritableFolder(const std::string& folder);

}  // namespace platform
