#include "platform/PrivateFile.h"

#include <windows.h>

#include <sddl.h>

#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

// Protected from the folder's inherited entries; full access for the file's owner, nobody else.
constexpr const wchar_t* kOwnerOnly = L"D:P(A;;FA;;;OW)";
constexpr int kNameAttempts = 16;

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
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (folder.empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorW(
                              kOwnerOnly, SDDL_REVISION_1, &descriptor, nullptr)) {
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
