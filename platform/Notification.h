#pragma once

#include <string>

// A short message the desktop shows outside the program's windows, through the window system in
// use (the headless one records it). Texts are UTF-8; the call belongs to the UI thread. False
// when there is no notification service to take it (no session bus, no service on it).
namespace platform {

bool ShowDesktopNotification(const std::string& title, const std::string& body);

}  // namespace platform
