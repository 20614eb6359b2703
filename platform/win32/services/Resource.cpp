#include "platform/Resource.h"

#include <windows.h>

#include <string>

#include "platform/win32/services/WideText.h"

// The system's header names its own lookup like ours.
#undef FindResource

namespace platform {

std::span<const uint8_t> FindResource(std::string_view type, int id) {
    const std::wstring wideType = win32::Wide(type);
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), wideType.c_str());
    HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const uint8_t*>(bytes), SizeofResource(nullptr, found)};
}

}  // namespace platform
