#include "platform/SharedLibrary.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

class Win32SharedLibrary : public SharedLibrary {
  public:
    explicit Win32SharedLibrary(HMODULE module) : module_(module) {}
    ~Win32SharedLibrary() override { FreeLibrary(module_); }
    Win32SharedLibrary(const Win32SharedLibrary&) = delete;
    Win32SharedLibrary& operator=(const Win32SharedLibrary&) = delete;

    void* Symbol(const char* name) const override {
        return reinterpret_cast<void*>(GetProcAddress(module_, name));
    }

  private:
    HMODULE module_;
};

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message =
        n > 0 ? std::wstring(text, n) : L"cannot load, error " + std::to_wstring(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return win32::Utf8(message);
}

}  // namespace

std::unique_ptr<SharedLibrary> LoadSharedLibrary(const std::u16string& absolutePath,
                                                 std::string& error) {
    std::wstring path = win32::Wide(absolutePath);
    // The loader takes a path with "/" for a bare name to search for.
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (!win32::IsAbsolutePath(path)) {
        error = "not an absolute path";
        return nullptr;
    }
    // The libraries it depends on are looked for in its own folder first, not in the current one.
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        error = SystemMessage(GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32SharedLibrary>(module);
}

std::u16string SharedLibraryFileName(const std::u16string& name) {
    return name + u".dll";
}

}  // namespace platform
