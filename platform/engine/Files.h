#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/FolderSeparator.h"

// The engine's whole contact with the operating system's file services. Paths are UTF-8.
// Functions report failures as errno-style codes (0 = success) so callers can tell a full disk
// from other faults without including system headers.
namespace dlengine::os {

// A file opened for positioned writes by many writers at once.
class PartFile {
  public:
    PartFile() = default;
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Opens or creates path without truncating it.
    int Open(const std::string& path);
    int Write(int64_t offset, const char* data, size_t size);
    // Flushes the written data (not the metadata that is not needed to read it back).
    int Sync();
    int Truncate(int64_t size);
    int64_t Size() const;
    void Close();

  private:
    int fd_ = -1;
};

bool IsDiskFullError(int error);

bool ReadSmallFile(const std::string& path, std::string& text);
// Replaces path with text through a temporary file and a rename, so a killed process leaves
// either the old or the new text, never a torn one. No flush: see the state file's boot id.
int ReplaceSmallFile(const std::string& path, const std::string& text);
int RenameFile(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);
bool IsDirectory(const std::string& path);
// The folder part of a file's path with its last separator ("" when it has none).
inline std::string FolderOf(const std::string& path) {
    const size_t end = LastFolderSeparator(std::string_view(path));
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}
// Bytes a writer without privileges may still put on the file system holding folder.
std::optional<int64_t> FreeBytes(const std::string& folder);
// Changes whenever the machine starts; empty when the system does not tell.
std::string BootId();

}  // namespace dlengine::os
