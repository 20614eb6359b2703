#include "platform/SharedLibrary.h"

#include <dlfcn.h>

#include "common/TextConvert.h"

namespace platform {

namespace {

class PosixSharedLibrary : public SharedLibrary {
  public:
    explicit PosixSharedLibrary(void* handle) : handle_(handle) {}
    ~PosixSharedLibrary() override { dlclose(handle_); }
    PosixSharedLibrary(const PosixSharedLibrary&) = delete;
    PosixSharedLibrary& operator=(const PosixSharedLibrary&) = delete;

    void* Symbol(const char* name) const override { return dlsym(handle_, name); }

  private:
    void* handle_;
};

}  // namespace

std::unique_ptr<SharedLibrary> LoadSharedLibrary(const std::u16string& absolutePath,
                                                 std::string& error) {
    if (absolutePath.empty() || absolutePath.front() != u'/') {
        error = "not an absolute path";
        return nullptr;
    }
    void* handle = dlopen(Utf16ToAnsi(absolutePath).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = reason ? reason : "cannot load";
        return nullptr;
    }
    return std::make_unique<PosixSharedLibrary>(handle);
}

std::u16string SharedLibraryFileName(const std::u16string& name) {
    return u"lib" + name + u".so";
}

}  // namespace platform
