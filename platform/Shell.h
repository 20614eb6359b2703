#pragma once

#include <string>

// The desktop's shell: the browser and the file manager, reached through the window system in
// use (the headless one only records what was asked). Paths are UTF-8; calls belong to the UI
// thread and answer false off it or when no window system can run.
namespace platform {

// Opens a web address in the default browser. False for anything but http and https, or when
// nothing could take it.
bool OpenWebAddress(const std::string& url);

// Shows the file selected in the file manager; without one that can (no session bus, no
// service), opens the folder that holds it instead.
bool ShowInFileManager(const std::string& filePath);
bool OpenFolder(const std::string& folder);

}  // namespace platform
