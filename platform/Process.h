#pragma once

#include <string>

namespace platform {

// Full path of the running executable in UTF-16, or empty if the system does not tell it.
std::u16string ExecutablePath();

// The path separator of this system.
constexpr char16_t kPathSeparator = u'/';

}  // namespace platform
