#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The desktop's shell: browser, file manager, helper programs and user folders. Paths are UTF-8.
namespace platform {

// Opens a web address in the default browser. False when nothing could take it.
bool OpenWebAddress(const std::string& url);

// Shows the file selected in the file manager; without one that can (no session bus, no
// service), opens the folder that holds it instead.
bool ShowInFileManager(const std::string& filePath);
bool OpenFolder(const std::string& folder);

// Starts the program of that name in the executable's own folder, without a shell, and does
// not wait for it. The name may not contain a path.
bool StartProgramBesideExecutable(const std::string& name, const std::vector<std::string>& args);

// The user's Downloads folder: the desktop's own setting, else $HOME/Downloads.
std::string DownloadsFolder();

// Bytes free for an ordinary user on the volume holding path; false when it cannot be told.
bool FreeSpace(const std::string& path, uint64_t& bytes);

}  // namespace platform
