#pragma once

#include <string>

// The desktop clipboard's text, UTF-8.
namespace platform {

void SetClipboardText(const std::string& text);
std::string GetClipboardText();

}  // namespace platform
