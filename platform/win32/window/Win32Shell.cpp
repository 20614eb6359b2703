#include "platform/win32/window/Win32Windows.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/window/Win32Private.h"

// The desktop's shell: the browser, the file manager, and notifications as a balloon of the
// program's tray icon.
namespace platform::win32 {
namespace {

bool Opened(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool RunExplorer(const std::wstring& arguments) {
    return Opened(ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr,
                                SW_SHOWNORMAL));
}

// A path quoted for explorer's command line; a quote cannot be part of a Windows path.
std::wstring Quoted(const std::string& path) {
    std::wstring wide = Wide(path);
    std::erase(wide, L'"');
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return L"\"" + wide + L"\"";
}

template <size_t N>
void CopyTruncated(wchar_t (&target)[N], const std::wstring& text) {
    const size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, target);
    target[length] = L'\0';
}

}  // namespace

bool Win32Windows::OpenWebAddress(const std::string& url) {
    return Opened(
        ShellExecuteW(nullptr, L"open", Wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool Win32Windows::ShowInFileManager(const std::string& filePath) {
    return RunExplorer(L"/select," + Quoted(filePath));
}

bool Win32Windows::OpenFolder(const std::string& folder) {
    return RunExplorer(L"/open," + Quoted(folder));
}

// One icon for the program's life, added at the first notification; its balloon shows each
// one. No sound is asked for.
bool Win32Windows::ShowNotification(const std::string& title, const std::string& body) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = helper_;
    data.uID = 1;
    data.uFlags = NIF_INFO | NIF_TIP | NIF_ICON | NIF_MESSAGE;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (data.hIcon == nullptr) {
        data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    data.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    CopyTruncated(data.szTip, Wide(title));
    CopyTruncated(data.szInfoTitle, Wide(title));
    CopyTruncated(data.szInfo, Wide(body));
    if (!notifying_) {
        notifying_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
        return notifying_;
    }
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void RemoveNotificationIcon(HWND helper, bool& shown) {
    if (!shown) {
        return;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = helper;
    data.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &data);
    shown = false;
}

}  // namespace platform::win32
