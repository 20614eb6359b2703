#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts the program of that name in the executable's own folder, without a shell, and does
// not wait for it. The name may not contain a path, so nothing outside the program's folder
// (the current folder least of all) is ever started.
bool StartProgramBesideExecutable(const std::string& name, const std::vector<std::string>& args);

}  // namespace platform
