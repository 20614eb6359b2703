#include "update/LocalUpdater.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/Crc.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDownloadSuffix = "_willdel";
constexpr const char* kBackupSuffix = "_backup";
constexpr fs::perms kProgramMode = fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec;

bool WriteBody(const std::string& path, std::string_view body) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(body.data(), static_cast<std::streamsize>(body.size()));
    out.close();
    return !out.fail();
}

bool Move(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

// Moves the downloaded file in, keeping the old updater until the new one has its name.
bool MoveIntoPlace(const std::string& path, const std::string& download,
                   const std::string& backup) {
    if (!Move(path, backup)) {
        return false;
    }
    if (!Move(download, path)) {
        Move(backup, path);
        return false;
    }
    std::error_code error;
    fs::permissions(path, kProgramMode, fs::perm_options::replace, error);
    return true;
}

}  // namespace

uint32_t LocalFileCrc32(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return 0;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return 0;
    }
    uint32_t crc = 0;
    size_t total = 0;
    char chunk[64 * 1024];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        crc = Crc32Update(crc, chunk, static_cast<size_t>(in.gcount()));
        total += static_cast<size_t>(in.gcount());
    }
    // Only the end of the file may stop the reading; a read error is no CRC.
    return in.bad() || !in.eof() || total == 0 ? 0 : crc;
}

bool SwapInUpdater(const std::string& path, std::string_view body) {
    const std::string download = path + kDownloadSuffix;
    const std::string backup = path + kBackupSuffix;
    const bool ready = WriteBody(download, body) && MoveIntoPlace(path, download, backup);
    std::error_code error;
    fs::remove(download, error);
    fs::remove(backup, error);
    return ready;
}
