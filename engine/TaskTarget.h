#pragma once

#include <string>

namespace dlengine {

// Where a task saves: the final path, and the part and state files beside it.
struct TaskTarget {
    std::string url;
    std::string finalPath;
    std::string partPath;
    std::string statePath;
};

// The file name comes from a server's catalogue, so it must name a file inside the folder:
// no separators of either system, no "." or "..", no control characters.
bool IsSafeFileName(const std::u16string& name);

// Builds the paths from UTF-16 texts. False with an engine error code in error when a text is
// empty, the name is unsafe or the folder does not exist.
bool MakeTaskTarget(const std::u16string& url, const std::u16string& folder,
                    const std::u16string& fileName, TaskTarget& target, int& error);

}  // namespace dlengine
