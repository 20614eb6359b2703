#include "platform/posix/crash/ProcessMaps.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/posix/crash/CrashText.h"
#include "platform/posix/crash/LineReader.h"

namespace platform::crash {
namespace {

// One line of the maps: "start-end perms offset device inode   path".
struct MapsLine {
    uint64_t start = 0;
    uint64_t end = 0;
    uint64_t offset = 0;
    const char* path = nullptr;
    size_t pathLength = 0;
};

bool SkipField(const char*& text, const char* end) {
    const char* start = text;
    while (text < end && *text != ' ') {
        ++text;
    }
    SkipSpaces(text, end);
    return text != start;
}

bool ParseLine(const char* text, size_t length, MapsLine& line) {
    const char* end = text + length;
    if (!ReadNumber(text, end, 16, line.start) || text == end || *text++ != '-' ||
        !ReadNumber(text, end, 16, line.end)) {
        return false;
    }
    SkipSpaces(text, end);
    if (!SkipField(text, end) || !ReadNumber(text, end, 16, line.offset)) {
        return false;
    }
    SkipSpaces(text, end);
    if (!SkipField(text, end) || !SkipField(text, end)) {
        return false;
    }
    line.path = text;
    line.pathLength = static_cast<size_t>(end - text);
    return true;
}

bool SamePath(const char* stored, const char* path, size_t pathLength) {
    for (size_t i = 0; i < pathLength; ++i) {
        if (stored[i] != path[i]) {
            return false;
        }
    }
    return stored[pathLength] == '\0';
}

}  // namespace

bool ProcessMaps::Read(uint64_t stackPointer) {
    stackPointer_ = stackPointer;
    stack_ = {};
    fileCount_ = 0;
    pathsUsed_ = 0;
    const int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    LineReader reader(fd, line_, sizeof line_);
    const char* line = nullptr;
    size_t length = 0;
    while (reader.Next(line, length)) {
        AddLine(line, length);
    }
    close(fd);
    return true;
}

void ProcessMaps::AddLine(const char* text, size_t length) {
    MapsLine line;
    if (!ParseLine(text, length, line)) {
        return;
    }
    if (stack_.end == 0 && line.end > stackPointer_) {
        stack_ = {line.start, line.end};
    }
    // Only real files: "[stack]", "[vdso]" and the like are not images of a file.
    if (line.pathLength == 0 || line.path[0] != '/') {
        return;
    }
    if (line.offset != 0 && ExtendsLastFile(line.path, line.pathLength)) {
        files_[fileCount_ - 1].end = line.end;
    } else if (line.offset == 0) {
        AddFile(line.start, line.end, line.path, line.pathLength);
    }
}

bool ProcessMaps::ExtendsLastFile(const char* path, size_t pathLength) const {
    return fileCount_ > 0 && SamePath(files_[fileCount_ - 1].path, path, pathLength);
}

void ProcessMaps::AddFile(uint64_t start, uint64_t end, const char* path, size_t pathLength) {
    if (fileCount_ == kMaxFiles || pathsUsed_ + pathLength + 1 > kPathPoolSize) {
        return;
    }
    char* stored = paths_ + pathsUsed_;
    for (size_t i = 0; i < pathLength; ++i) {
        stored[i] = path[i];
    }
    stored[pathLength] = '\0';
    pathsUsed_ += pathLength + 1;
    files_[fileCount_++] = {start, end, stored};
}

}  // namespace platform::crash
