#include "platform/win32/testing/HeldFile.h"

#include <windows.h>

namespace platform::testwin32 {

HeldFile::HeldFile(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        handle_ = file;
    }
}

HeldFile::~HeldFile() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
    }
}

}  // namespace platform::testwin32
