#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts the program of that name in the executable's own folder, without a shell, and does
// not wait for it. The name may not contain a path, so nothing outside the program's folder
// (the current folder least of all) is ever started.
bool StartProgramBesideExecutable(const std::string& name, const std::vector<std::string>& args);

// Starts the program at an absolute path, without a shell and without waiting for it, with the
// folder it is in as its current folder. A relative path is refused: it would be resolved
// against whatever the current folder happens to be. The program gets no window of its own from
// this; it is reaped when it ends, so it never lingers as a zombie of a long-running client.
bool StartProgram(const std::string& absolutePath, const std::vector<std::string>& args);

}  // namespace platform
