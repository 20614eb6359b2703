#include "server/CrashReportStore.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace {

// A name that collides with a file already there (another server on the same folder) is made
// again with the next number this many times before the report is given up.
constexpr int kNameAttempts = 8;

bool IsKeptByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

std::string SafeNamePart(std::string_view dumpName) {
    std::string part;
    for (char c : dumpName.substr(0, CrashReportStore::kMaxNamePart)) {
        part += IsKeptByte(c) ? c : '_';
    }
    return part.empty() ? "report.dmp" : part;
}

std::string TimeStamp(std::chrono::system_clock::time_point at) {
    using namespace std::chrono;
    const auto day = floor<days>(at);
    const year_month_day date(day);
    const hh_mm_ss time(floor<milliseconds>(at - day));
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02d%02d%02d-%03d", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()),
                  int(time.subseconds().count()));
    return text;
}

// "x": the file is made here or not at all, so an existing one is never written over.
bool WriteNewFile(const std::filesystem::path& path, std::string_view bytes, bool& existed) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    existed = file == nullptr && errno == EEXIST;
    if (file == nullptr) {
        return false;
    }
    const bool whole = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !whole) {
        std::error_code error;
        std::filesystem::remove(path, error);
        return false;
    }
    return true;
}

}  // namespace

std::string CrashReportStore::StoredName(std::string_view dumpName,
                                         std::chrono::system_clock::time_point at,
                                         uint64_t number) {
    return TimeStamp(at) + "-" + std::to_string(number) + "_" + SafeNamePart(dumpName);
}

std::optional<std::filesystem::path> CrashReportStore::Store(std::string_view dumpName,
                                                             std::string_view bytes) const {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::filesystem::path path =
            folder_ / StoredName(dumpName, std::chrono::system_clock::now(), next_++);
        bool existed = false;
        if (WriteNewFile(path, bytes, existed)) {
            return path;
        }
        if (!existed) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}
