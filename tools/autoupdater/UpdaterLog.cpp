#include "tools/autoupdater/UpdaterLog.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/Clock.h"

namespace {

constexpr std::uintmax_t kLogLimitBytes = 512 * 1024;

std::string Stamp() {
    const platform::LocalTime now = platform::LocalNow();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d ", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);
    return text;
}

// Names and addresses in a line come from the server; a line feed among them must not forge a
// line of its own.
std::string Printable(const std::string& text) {
    std::string line = text;
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    return line;
}

}  // namespace

UpdaterLog::UpdaterLog(std::string path) : path_(std::move(path)) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path_, error);
    if (!error && size > kLogLimitBytes) {
        std::filesystem::rename(path_, path_ + ".old", error);
    }
}

void UpdaterLog::Line(const std::string& text) const {
    // Opened for every line, so that what was logged is on disk even if the updater is killed.
    std::ofstream(path_, std::ios::binary | std::ios::app) << Stamp() << Printable(text) << '\n';
}
