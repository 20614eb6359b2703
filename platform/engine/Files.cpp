#include "platform/engine/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace dlengine::os {

PartFile::~PartFile() {
    Close();
}

int PartFile::Open(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    return fd_ < 0 ? errno : 0;
}

int PartFile::Write(int64_t offset, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t done = ::pwrite(fd_, data, size, static_cast<off_t>(offset));
        if (done < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (done == 0) {
            return EIO;
        }
        data += done;
        size -= static_cast<size_t>(done);
        offset += done;
    }
    return 0;
}

int PartFile::Sync() {
    return ::fdatasync(fd_) == 0 ? 0 : errno;
}

int PartFile::Truncate(int64_t size) {
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0 ? 0 : errno;
}

int64_t PartFile::Size() const {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

void PartFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool IsDiskFullError(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

bool ReadSmallFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

int ReplaceSmallFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno;
    }
    const ssize_t written = ::write(fd, text.data(), text.size());
    const int error =
        written == static_cast<ssize_t>(text.size()) ? 0 : (written < 0 ? errno : EIO);
    ::close(fd);
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    return RenameFile(temporary, path);
}

int RenameFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<int64_t> FreeBytes(const std::string& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}

std::string BootId() {
    std::string text;
    if (!ReadSmallFile("/proc/sys/kernel/random/boot_id", text)) {
        return {};
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

}  // namespace dlengine::os
