#pragma once

#include <memory>
#include <string>

namespace platform {

// A shared library loaded at run time, unloaded with the object.
class SharedLibrary {
  public:
    virtual ~SharedLibrary() = default;
    // The address of an exported name, or null when the library has none.
    virtual void* Symbol(const char* name) const = 0;
};

// Loads the library at an absolute path. A relative path or bare name is refused: the system
// would look for it in the current folder or its search path, and a planted file there would
// run inside the program. Null with a reason in error when it cannot be loaded.
std::unique_ptr<SharedLibrary> LoadSharedLibrary(const std::u16string& absolutePath,
                                                 std::string& error);

// File name of a library called name on this system ("libNAME.so").
std::u16string SharedLibraryFileName(const std::u16string& name);

}  // namespace platform
