#include "platform/win32/testing/SystemFacts.h"

#include <windows.h>

#include "platform/win32/services/WideText.h"

namespace platform::testwin32 {

std::string SystemFolder() {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return platform::win32::Utf8(std::wstring_view(path, length));
}

int SystemThreadId() {
    return static_cast<int>(GetCurrentThreadId());
}

uint64_t SystemTickCount() {
    return GetTickCount64();
}

}  // namespace platform::testwin32
