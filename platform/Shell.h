#pragma once

#include <string>

// The desktop's shell: the browser and the file manager. Paths are UTF-8.
namespace platform {

// Opens a web address in the default browser. False when nothing could take it.
bool OpenWebAddress(const std::string& url);

// Shows the file selected in the file manager; without one that can (no session bus, no
// service), opens the folder that holds it instead.
bool ShowInFileManager(const std::string& filePath);
bool OpenFolder(const std::string& folder);

}  // namespace platform
