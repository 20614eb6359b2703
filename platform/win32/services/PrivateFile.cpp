#include "platform/PrivateFile.h"

#include <windows.h>

#include <sddl.h>

#include <vector>

#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

constexpr int kNameAttempts = 16;

// The user this process runs as, in the system's string form ("S-1-5-21-...").
std::wstring CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    std::wstring text;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    wchar_t* sid = nullptr;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

// Protected from the folder's inherited entries; full access for this user, nobody else. The
// user by name rather than "owner rights": an elevated process makes the administrators the
// owner of what it creates, and Wine grants the owner-rights entry nothing.
std::wstring UserOnlyDescriptor() {
    const std::wstring user = CurrentUserSid();
    return user.empty() ? std::wstring() : L"D:P(A;;FA;;;" + user + L")";
}

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH + 2];
    const DWORD n = GetTempPathW(static_cast<DWORD>(std::size(buffer)), buffer);
    return n > 0 && n < std::size(buffer) ? std::wstring(buffer, n) : std::wstring();
}

std::wstring FreshName(std::string_view stem, int attempt) {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return win32::Wide(stem) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter.QuadPart + attempt);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

std::string WritePrivateFile(std::string_view stem, std::string_view bytes) {
    const std::wstring folder = TempFolder();
    const std::wstring userOnly = UserOnlyDescriptor();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (folder.empty() || userOnly.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(userOnly.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        return {};
    }
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
    std::wstring path;
    HANDLE file = INVALID_HANDLE_VALUE;
    // CREATE_NEW fails on any name already taken, so no one can have put a file there first.
    for (int attempt = 0; attempt < kNameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        path = folder + FreshName(stem, attempt);
        file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, &security, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    LocalFree(descriptor);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    const bool written = WriteAll(file, bytes);
    if (!CloseHandle(file) || !written) {
        DeleteFileW(path.c_str());
        return {};
    }
    return win32::Utf8(path);
}

}  // namespace platform
