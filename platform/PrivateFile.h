#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes bytes into a new file that only this user can read or replace, in the user's runtime
// folder (else the temporary folder), under a fresh name that starts with `stem`. Returns its
// path, or empty when it cannot be written. The file is left for the process to use.
std::string WritePrivateFile(std::string_view stem, std::string_view bytes);

}  // namespace platform
