#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace uikit {

enum class SkinReadError {
    None,
    OpenArchive,  // "Error opening zip file"
    NotFound,     // "Could not find ziped file"
    Empty,        // "File is empty"
    TooLarge,     // "File too large"
    Inflate,      // "Could not unzip file"
    OpenFile,     // "Error opening file"
    ReadFile,     // "Could not read file"
};

// Hands the skin linked into the program (resource "ZIPRES" 131) to the process archive. The
// archive counts as set even when the resource is missing, so markup loads then fail with
// "Error opening zip file" instead of reading stray files. False when it cannot be opened.
bool InstallLinkedSkin();

// The message a markup load reports for each failure; the texts are part of the skin contract.
std::string_view SkinReadErrorMessage(SkinReadError error);

// The zip archive of markup files and images. The program hands it over once at start-up; every
// later lookup reuses the one open archive. Without an archive, names are plain files under the
// resource folder.
class SkinArchive {
  public:
    static constexpr size_t kMaxMarkupSize = 4 * 1024 * 1024;
    static constexpr size_t kMaxNameLength = 255;  // names of 256 units or more are not found
    static constexpr size_t kNoLimit = SIZE_MAX;

    struct ReadResult {
        std::vector<uint8_t> bytes;
        SkinReadError error = SkinReadError::None;
    };

    SkinArchive() = default;
    ~SkinArchive();
    SkinArchive(const SkinArchive&) = delete;
    SkinArchive& operator=(const SkinArchive&) = delete;

    // The archive of the process; lives until the process ends.
    static SkinArchive& Instance();

    // Takes the bytes and opens them. Once an archive is set, setting one again does nothing.
    // False when the bytes are not a readable zip (the archive still counts as set, so markup
    // loads then fail with "Error opening zip file").
    bool SetFromMemory(std::vector<uint8_t> bytes);
    bool HasArchive() const { return set_; }
    bool IsOpen() const { return zip_ != nullptr; }

    void SetResourceFolder(std::u16string folder) { resourceFolder_ = std::move(folder); }
    const std::u16string& ResourceFolder() const { return resourceFolder_; }

    // A markup file: at most kMaxMarkupSize bytes, never empty.
    ReadResult ReadMarkup(std::u16string_view name) const;
    // An image: the archive member (the file under the resource folder without an archive),
    // else the name as a plain file path; no size limit. Names inside the skin's image folders
    // ("img/", "images/") never fall back to a plain path.
    ReadResult ReadImage(std::u16string_view name) const;

    // The archive member alone, found without regard to case after backslashes become slashes.
    ReadResult ReadMember(std::u16string_view name, size_t limit) const;

  private:
    static ReadResult ReadPlainFile(const std::string& path, size_t limit);
    int64_t FindMember(std::u16string_view name) const;

    std::vector<uint8_t> bytes_;
    zip* zip_ = nullptr;
    bool set_ = false;
    std::u16string resourceFolder_;
};

}  // namespace uikit
