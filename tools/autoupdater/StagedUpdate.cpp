#include "tools/autoupdater/StagedUpdate.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/TextConvert.h"
#include "platform/FileReplace.h"
#include "tools/autoupdater/UpdaterNames.h"

namespace fs = std::filesystem;

namespace {

constexpr fs::perms kProgramMode = fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec;
constexpr fs::perms kDataMode =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;

// A file that replaces another keeps its mode, so a program stays runnable; a new file is a
// program when it looks like one to the system that would run it.
fs::perms ModeFor(const std::string& oldPath, std::string_view bytes) {
    std::error_code error;
    const fs::file_status old = fs::status(oldPath, error);
    if (!error && fs::is_regular_file(old)) {
        return old.permissions() & fs::perms::mask;
    }
    const bool program = bytes.starts_with(
                             "\x7f"
                             "ELF") ||
                         bytes.starts_with("#!");
    return program ? kProgramMode : kDataMode;
}

bool HasSuffix(const fs::path& path, std::string_view suffix) {
    return path.filename().string().ends_with(suffix);
}

// A second name for the old file, so that its own name never stops naming a whole file.
bool KeepOld(const std::string& old, const std::string& backup) {
    std::error_code error;
    fs::remove(backup, error);
    fs::create_hard_link(old, backup, error);
    if (error) {
        fs::copy_file(old, backup, fs::copy_options::overwrite_existing, error);
    }
    return !error;
}

}  // namespace

void StagedUpdate::RemoveLeftovers() const {
    std::error_code error;
    for (const fs::directory_entry& item : fs::directory_iterator(dir_, error)) {
        const fs::path& path = item.path();
        if (item.is_regular_file(error) &&
            (HasSuffix(path, kStagedSuffix) || HasSuffix(path, kBackupSuffix))) {
            fs::remove(path, error);
            log_.Line("removed " + path.filename().string() + ", left by an interrupted run");
        }
    }
}

bool StagedUpdate::Fetch(const ApiClient& client, const std::vector<PlannedFile>& files) {
    for (const PlannedFile& file : files) {
        if (!FetchOne(client, file)) {
            return false;
        }
    }
    return true;
}

bool StagedUpdate::FetchOne(const ApiClient& client, const PlannedFile& file) {
    const std::string& name = file.entry.name;
    char* body = nullptr;
    size_t length = 0;
    if (!client.Get(file.address.c_str(), &body, &length)) {
        log_.Line("cannot fetch " + name + " from " + file.address);
        return false;
    }
    const std::string bytes(body == nullptr ? "" : body, length);
    std::free(body);
    if (!BodyMatches(file.entry, bytes)) {
        log_.Line("the " + std::to_string(bytes.size()) + " bytes fetched for " + name +
                  " do not match its checksums");
        return false;
    }
    staged_.push_back({name});
    const std::string staged = PathOf(name) + std::string(kStagedSuffix);
    std::error_code error;
    if (!platform::WriteFileToDisk(AnsiToUtf16(staged), bytes)) {
        log_.Line("cannot write " + staged);
        return false;
    }
    fs::permissions(staged, ModeFor(PathOf(name), bytes), fs::perm_options::replace, error);
    log_.Line("fetched " + name + ": " + std::to_string(bytes.size()) + " bytes, checksums match");
    return true;
}

bool StagedUpdate::Swap() {
    for (Staged& file : staged_) {
        if (!SwapOne(file)) {
            Restore();
            return false;
        }
    }
    return true;
}

bool StagedUpdate::SwapOne(Staged& file) {
    const std::string old = PathOf(file.name);
    std::error_code error;
    file.hadOld = fs::exists(fs::symlink_status(old, error));
    if (file.hadOld && !KeepOld(old, old + std::string(kBackupSuffix))) {
        log_.Line("cannot keep the old " + file.name + " while it is replaced");
        return false;
    }
    fs::rename(old + std::string(kStagedSuffix), old, error);
    if (error) {
        log_.Line("cannot put the new " + file.name + " in place: " + error.message());
        return false;
    }
    file.swapped = true;
    return true;
}

void StagedUpdate::Restore() {
    for (auto file = staged_.rbegin(); file != staged_.rend(); ++file) {
        if (!file->swapped) {
            continue;
        }
        const std::string old = PathOf(file->name);
        std::error_code error;
        if (file->hadOld) {
            fs::rename(old + std::string(kBackupSuffix), old, error);
        } else {
            fs::remove(old, error);
        }
        if (error) {
            log_.Line("cannot restore the old " + file->name + ": " + error.message());
            continue;
        }
        file->swapped = false;
        log_.Line("restored the old " + file->name);
    }
}

void StagedUpdate::Keep() {
    std::error_code error;
    for (const Staged& file : staged_) {
        fs::remove(PathOf(file.name) + std::string(kBackupSuffix), error);
    }
    staged_.clear();
}

// A backup whose file could not be restored is the only old copy left: it stays.
void StagedUpdate::Discard() {
    std::error_code error;
    for (const Staged& file : staged_) {
        fs::remove(PathOf(file.name) + std::string(kStagedSuffix), error);
        if (!file.swapped) {
            fs::remove(PathOf(file.name) + std::string(kBackupSuffix), error);
        }
    }
    staged_.clear();
}
