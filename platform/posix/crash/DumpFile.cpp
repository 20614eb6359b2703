#include "platform/posix/crash/DumpFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace platform::crash {
namespace {

constexpr size_t kUnitsPerChunk = 256;

// Decodes one UTF-8 sequence at text, moving past it; a malformed byte stands for itself.
uint32_t NextCodePoint(const char*& text) {
    const auto lead = static_cast<uint8_t>(*text++);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    uint32_t code = extra == 3 ? lead & 0x07u : extra == 2 ? lead & 0x0Fu : lead & 0x1Fu;
    if (extra == 0) {
        return lead;
    }
    for (; extra > 0; --extra) {
        const auto next = static_cast<uint8_t>(*text);
        if ((next & 0xC0) != 0x80) {
            return lead;
        }
        code = code << 6 | (next & 0x3Fu);
        ++text;
    }
    return code > 0x10FFFF ? lead : code;
}

size_t EncodeUtf16(uint32_t code, char16_t* units) {
    if (code < 0x10000) {
        units[0] = static_cast<char16_t>(code);
        return 1;
    }
    code -= 0x10000;
    units[0] = static_cast<char16_t>(0xD800 + (code >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    return 2;
}

// The memory a dump copies is raw: a stack holds padding and the guard zones a memory checker
// keeps around each variable, which belong to no object. The system call itself copies it as
// it is; the C library's write may be wrapped by such a checker, which takes the copy for a
// read of those zones and ends the process before the dump is done.
ssize_t WriteRawMemory(int fd, const char* bytes, size_t size) {
    return static_cast<ssize_t>(syscall(SYS_write, fd, bytes, size));
}

size_t Utf16Length(const char* text) {
    size_t units = 0;
    char16_t ignored[2];
    while (*text != '\0') {
        units += EncodeUtf16(NextCodePoint(text), ignored);
    }
    return units;
}

}  // namespace

DumpFile::~DumpFile() {
    Close();
}

bool DumpFile::Create(const char* name) {
    // Opened without blocking, so that a pipe of that name cannot hold the filter up.
    fd_ = open(name, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat status;
    if (fd_ < 0 || fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || ftruncate(fd_, 0) != 0) {
        Close();
        failed_ = true;
        return false;
    }
    position_ = 0;
    failed_ = false;
    return true;
}

bool DumpFile::Close() {
    if (fd_ >= 0) {
        failed_ = close(fd_) != 0 || failed_;
        fd_ = -1;
    }
    return !failed_;
}

minidump::Location DumpFile::Append(const void* data, size_t size) {
    const minidump::Location where{static_cast<uint32_t>(size), position_};
    if (!WriteAll(data, size)) {
        failed_ = true;
    }
    Pad();
    return where;
}

minidump::Location DumpFile::AppendMemory(uint64_t address, size_t size) {
    minidump::Location where{0, position_};
    const auto* bytes = reinterpret_cast<const char*>(address);
    while (where.dataSize < size) {
        const ssize_t n = WriteRawMemory(fd_, bytes + where.dataSize, size - where.dataSize);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            failed_ = failed_ || errno != EFAULT;
            break;
        }
        where.dataSize += static_cast<uint32_t>(n);
        position_ += static_cast<uint32_t>(n);
    }
    Pad();
    return where;
}

minidump::Location DumpFile::AppendString(const char* text) {
    const uint32_t bytes = static_cast<uint32_t>(Utf16Length(text) * sizeof(char16_t));
    const minidump::Location where{minidump::kStringLengthSize + bytes + 2, position_};
    failed_ = !WriteAll(&bytes, sizeof bytes) || failed_;
    char16_t units[kUnitsPerChunk + 2];
    size_t count = 0;
    while (*text != '\0') {
        count += EncodeUtf16(NextCodePoint(text), units + count);
        if (count >= kUnitsPerChunk) {
            failed_ = !WriteAll(units, count * sizeof(char16_t)) || failed_;
            count = 0;
        }
    }
    units[count++] = u'\0';
    failed_ = !WriteAll(units, count * sizeof(char16_t)) || failed_;
    Pad();
    return where;
}

void DumpFile::Rewrite(minidump::Location where, const void* data) {
    const uint32_t end = position_;
    if (lseek(fd_, where.rva, SEEK_SET) < 0) {
        failed_ = true;
        return;
    }
    position_ = where.rva;
    failed_ = !WriteAll(data, where.dataSize) || failed_;
    position_ = end;
    failed_ = lseek(fd_, end, SEEK_SET) < 0 || failed_;
}

bool DumpFile::WriteAll(const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd_, bytes + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    position_ += static_cast<uint32_t>(done);
    return true;
}

void DumpFile::Pad() {
    static const char kZeros[4] = {};
    const uint32_t padding = (4 - position_ % 4) % 4;
    if (padding != 0) {
        failed_ = !WriteAll(kZeros, padding) || failed_;
    }
}

}  // namespace platform::crash
