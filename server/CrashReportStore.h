#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The crash reports the client's reporter sends, kept in the data folder's "crashes/". Every
// report gets a name the server makes itself, so nothing a request says can choose a path.
class CrashReportStore {
  public:
    // The longest part of a stored name that comes from the dump's name.
    static constexpr size_t kMaxNamePart = 80;

    explicit CrashReportStore(const std::filesystem::path& dataDir)
        : folder_(dataDir / "crashes") {}

    // "YYYYMMDD-HHMMSS-mmm-N_NAME": the time in UTC, this store's running number N, and the
    // dump's name with every byte outside [A-Za-z0-9._-] made "_" and cut to kMaxNamePart bytes
    // ("report.dmp" when nothing is left). Such a name has no separator and never starts with a
    // dot, so it stays in the folder.
    static std::string StoredName(std::string_view dumpName,
                                  std::chrono::system_clock::time_point at, uint64_t number);

    // Writes bytes under a fresh stored name, creating the folder when needed; never replaces a
    // file. The stored file's path, or nothing when it could not be written whole.
    std::optional<std::filesystem::path> Store(std::string_view dumpName,
                                               std::string_view bytes) const;

    const std::filesystem::path& Folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    mutable std::atomic<uint64_t> next_{1};
};
