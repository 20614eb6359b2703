#include "uikit/image/SkinArchive.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <new>

#include "common/CaseFold.h"
#include "common/TextConvert.h"
#include "platform/Resource.h"

namespace uikit {

namespace {

// Names inside the skin's own image folders are the skin's: they are never read from wherever
// the process happens to run, so a name built from the server's catalogue cannot reach a file
// outside the skin.
bool InSkinImageFolder(std::u16string_view name) {
    std::string path = Utf16ToAnsi(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    for (const std::string_view folder : {std::string_view("img/"), std::string_view("images/")}) {
        if (path.size() >= folder.size() &&
            EqualsNoCase(std::string_view(path).substr(0, folder.size()), folder)) {
            return true;
        }
    }
    return false;
}

SkinReadError CheckSize(uint64_t size, size_t limit) {
    if (size == 0) {
        return SkinReadError::Empty;
    }
    if (size > limit) {
        return SkinReadError::TooLarge;
    }
    return SkinReadError::None;
}

}  // namespace

bool InstallLinkedSkin() {
    const std::span<const uint8_t> resource = platform::FindResource("ZIPRES", 131);
    return SkinArchive::Instance().SetFromMemory(
        std::vector<uint8_t>(resource.begin(), resource.end()));
}

std::string_view SkinReadErrorMessage(SkinReadError error) {
    switch (error) {
        case SkinReadError::None:
            return "";
        case SkinReadError::OpenArchive:
            return "Error opening zip file";
        case SkinReadError::NotFound:
            return "Could not find ziped file";
        case SkinReadError::Empty:
            return "File is empty";
        case SkinReadError::TooLarge:
            return "File too large";
        case SkinReadError::Inflate:
            return "Could not unzip file";
        case SkinReadError::OpenFile:
            return "Error opening file";
        case SkinReadError::ReadFile:
            return "Could not read file";
    }
    return "";
}

SkinArchive::~SkinArchive() {
    if (zip_) {
        zip_discard(zip_);
    }
}

SkinArchive& SkinArchive::Instance() {
    // Never destroyed: controls of windows torn down at exit may still ask for images.
    static SkinArchive* archive = new SkinArchive();
    return *archive;
}

bool SkinArchive::SetFromMemory(std::vector<uint8_t> bytes) {
    if (set_) {
        return zip_ != nullptr;
    }
    set_ = true;
    bytes_ = std::move(bytes);
    if (bytes_.empty()) {
        return false;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
    if (source) {
        zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!zip_) {
            zip_source_free(source);
        }
    }
    zip_error_fini(&error);
    return zip_ != nullptr;
}

int64_t SkinArchive::FindMember(std::u16string_view name) const {
    if (name.size() > kMaxNameLength) {
        return -1;
    }
    std::string wanted = Utf16ToAnsi(name);
    std::replace(wanted.begin(), wanted.end(), '\\', '/');
    const zip_int64_t count = zip_get_num_entries(zip_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* stored = zip_get_name(zip_, static_cast<zip_uint64_t>(i), 0);
        if (stored && EqualsNoCase(std::string_view(stored), wanted)) {
            return i;
        }
    }
    return -1;
}

SkinArchive::ReadResult SkinArchive::ReadMember(std::u16string_view name, size_t limit) const {
    ReadResult result;
    if (!zip_) {
        result.error = SkinReadError::OpenArchive;
        return result;
    }
    const int64_t index = FindMember(name);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE)) {
        result.error = SkinReadError::NotFound;
        return result;
    }
    result.error = CheckSize(stat.size, limit);
    if (result.error != SkinReadError::None) {
        return result;
    }
    zip_file_t* file = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
    try {
        result.bytes.resize(stat.size);
    } catch (const std::bad_alloc&) {
        result.bytes.clear();
    }
    // A member whose stream ends early or fails its checksum is as bad as one that will not open.
    const bool complete =
        file && result.bytes.size() == stat.size &&
        zip_fread(file, result.bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size);
    if (file) {
        zip_fclose(file);
    }
    if (!complete) {
        result.bytes.clear();
        result.error = SkinReadError::Inflate;
    }
    return result;
}

SkinArchive::ReadResult SkinArchive::ReadPlainFile(const std::string& path, size_t limit) {
    ReadResult result;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        result.error = SkinReadError::OpenFile;
        return result;
    }
    const std::streamoff size = in.tellg();
    if (size < 0) {
        result.error = SkinReadError::ReadFile;
        return result;
    }
    result.error = CheckSize(static_cast<uint64_t>(size), limit);
    if (result.error != SkinReadError::None) {
        return result;
    }
    result.bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(result.bytes.data()), size)) {
        result.bytes.clear();
        result.error = SkinReadError::ReadFile;
    }
    return result;
}

SkinArchive::ReadResult SkinArchive::ReadMarkup(std::u16string_view name) const {
    if (set_) {
        return ReadMember(name, kMaxMarkupSize);
    }
    return ReadPlainFile(Utf16ToAnsi(resourceFolder_) + Utf16ToAnsi(name), kMaxMarkupSize);
}

SkinArchive::ReadResult SkinArchive::ReadImage(std::u16string_view name) const {
    ReadResult skin =
        set_ ? ReadMember(name, kNoLimit)
             : ReadPlainFile(Utf16ToAnsi(resourceFolder_ + std::u16string(name)), kNoLimit);
    if (skin.error == SkinReadError::None || InSkinImageFolder(name)) {
        return skin;
    }
    return ReadPlainFile(Utf16ToAnsi(name), kNoLimit);
}

}  // namespace uikit
