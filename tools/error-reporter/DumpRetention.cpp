#include "tools/error-reporter/DumpRetention.h"

#include <algorithm>
#include <system_error>

#include "tools/error-reporter/ReportArgument.h"

namespace {

namespace fs = std::filesystem;

struct Dump {
    std::string name;
    fs::file_time_type written;
};

// The folder's dumps other than the current one, newest first; equal times by name, so the
// choice does not depend on the order the folder lists them in.
std::vector<Dump> OtherDumps(const fs::path& folder, std::string_view currentDump) {
    std::vector<Dump> dumps;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code entryError;
        if (name == currentDump || !IsDumpFileName(name) ||
            !fs::is_regular_file(it->symlink_status(entryError))) {
            continue;
        }
        const fs::file_time_type written = fs::last_write_time(it->path(), entryError);
        if (!entryError) {
            dumps.push_back({name, written});
        }
    }
    std::sort(dumps.begin(), dumps.end(), [](const Dump& a, const Dump& b) {
        return a.written != b.written ? a.written > b.written : a.name > b.name;
    });
    return dumps;
}

}  // namespace

std::vector<std::string> PruneOldDumps(const fs::path& folder, std::string_view currentDump,
                                       size_t keep) {
    const std::vector<Dump> others = OtherDumps(folder, currentDump);
    // The current dump takes one of the places.
    const size_t keptOthers = keep > 0 ? keep - 1 : 0;
    std::vector<std::string> deleted;
    for (size_t i = keptOthers; i < others.size(); ++i) {
        std::error_code error;
        if (fs::remove(folder / others[i].name, error)) {
            deleted.push_back(others[i].name);
        }
    }
    return deleted;
}
