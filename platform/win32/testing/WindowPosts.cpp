#include "platform/win32/testing/WindowPosts.h"

#include <windows.h>

#include "platform/win32/services/WideText.h"

namespace platform::testwin32 {

using platform::win32::Wide;

int PostToEveryWindowOf(const std::string& className, const std::string& title, uint32_t message,
                        uintptr_t wParam, intptr_t lParam) {
    const std::wstring wideClass = Wide(className);
    const std::wstring wideTitle = Wide(title);
    int found = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, wideClass.c_str(),
                                                        wideTitle.c_str())) != nullptr;) {
        PostMessageW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
        ++found;
    }
    return found;
}

}  // namespace platform::testwin32
