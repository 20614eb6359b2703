#pragma once

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "tests/support/TempDir.h"
#include "tools/dump-reader/DumpParser.h"

// What the crash tests share: a program folder with a fake ErrorReporter, a current folder with
// a decoy of that name, and the checks of what a crash left behind.
namespace crashtest {

namespace fs = std::filesystem;

// The zone the crashing programs run in: ahead of UTC by 5:30, so that an offset applied
// wrongly shows in the dump's name.
constexpr const char* kZone = "IST-5:30";
constexpr long kZoneOffset = 5 * 3600 + 30 * 60;

// Writes a shell script that appends a line to the record each time it starts.
inline void WriteScript(const fs::path& path, const std::string& line, const fs::path& record) {
    std::ofstream(path) << "#!/bin/sh\necho \"" << line << "\" >> '" << record.string() << "'\n";
    fs::permissions(path, fs::perms::owner_all);
}

class CrashFolders {
  public:
    CrashFolders() {
        fs::create_directories(program());
        fs::create_directories(work());
        // Its argument count, its argument, its folder and a variable of the crashed program's
        // environment.
        WriteScript(program() / "ErrorReporter", "$#|$1|$(pwd -P)|$KAVRIN_CRASH_MARK", record());
        WriteScript(work() / "ErrorReporter", "wrong", record());
    }

    fs::path program() const { return root_ / "program"; }
    fs::path work() const { return root_ / "work"; }
    fs::path record() const { return root_ / "reporter.log"; }

    std::vector<std::string> RecordLines() const {
        std::istringstream text(ReadWholeFile(record()));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // Files in the current folder whose names start so.
    std::vector<fs::path> WorkFiles(const std::string& start) const {
        std::vector<fs::path> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(work())) {
            if (entry.path().filename().string().rfind(start, 0) == 0) {
                found.push_back(entry.path());
            }
        }
        return found;
    }

  private:
    TempDir root_;
};

// The dump names a crash between the two instants may give, a second either side allowed.
inline std::set<std::string> DumpNamesBetween(std::time_t from, std::time_t to) {
    std::set<std::string> names;
    for (std::time_t instant = from - 1; instant <= to + 1; ++instant) {
        const std::time_t local = instant + kZoneOffset;
        std::tm time{};
        gmtime_r(&local, &time);
        char name[64];
        std::snprintf(name, sizeof name, "Client_%d-%d_%d-%d-%d.dmp", time.tm_mon + 1, time.tm_mday,
                      time.tm_hour, time.tm_min, time.tm_sec);
        names.insert(name);
    }
    return names;
}

// The build id as the system's ELF tool reads it from the file.
inline std::string BuildIdOfFile(const fs::path& file) {
    auto readelf =
        platform::StartChildProcess("/usr/bin/readelf", {"readelf", "-n", file.string()});
    std::string line;
    std::string id;
    const std::string label = "Build ID: ";
    while (readelf != nullptr && readelf->ReadLine(line, 10000)) {
        const size_t at = line.find(label);
        if (at != std::string::npos) {
            id = line.substr(at + label.size());
        }
    }
    return id;
}

// Reads the child's output to its end, which comes once it and the reporter it started have
// both ended, then its exit status.
inline int WaitForEnd(platform::ChildProcess& child, std::vector<std::string>& lines) {
    std::string line;
    while (child.ReadLine(line, 30000)) {
        lines.push_back(line);
    }
    return child.Terminate();
}

inline bool ParseDumpFile(const fs::path& path, dumpreader::Dump& dump, std::string& error) {
    const auto bytes = dumpreader::ReadDumpFile(path.string());
    if (!bytes) {
        error = "unreadable";
        return false;
    }
    return dumpreader::ParseDump(*bytes, dump, error);
}

inline const dumpreader::ModuleDetails* ModuleHolding(const dumpreader::Dump& dump,
                                                      uint64_t address) {
    for (const dumpreader::ModuleDetails& module : dump.modules) {
        if (address >= module.base && address - module.base < module.size) {
            return &module;
        }
    }
    return nullptr;
}

inline const dumpreader::ModuleDetails* ModuleAt(const dumpreader::Dump& dump,
                                                 const fs::path& path) {
    for (const dumpreader::ModuleDetails& module : dump.modules) {
        if (module.path == path.string()) {
            return &module;
        }
    }
    return nullptr;
}

}  // namespace crashtest
