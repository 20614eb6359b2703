#pragma once

#include <cstddef>
#include <cstdint>

#include "common/MinidumpFormat.h"

namespace platform::crash {

// The dump being written, front to back, each part found again by the location it was given.
// Any write that fails marks the whole file failed: a dump with a hole would mislead its reader.
class DumpFile {
  public:
    DumpFile() = default;
    ~DumpFile();
    DumpFile(const DumpFile&) = delete;
    DumpFile& operator=(const DumpFile&) = delete;

    // Creates the file of that name in the current folder, replacing an earlier dump of that
    // name; a link or anything but a regular file of that name is left alone and refused.
    bool Create(const char* name);
    // True when everything was written and the file closed without error.
    bool Close();

    // Appends the bytes, then pads the file to a multiple of four.
    minidump::Location Append(const void* data, size_t size);
    // Appends size bytes of this process's memory from address. Pages that cannot be read end
    // it early, as an error of the system call rather than a fault; the location tells how
    // much was written.
    minidump::Location AppendMemory(uint64_t address, size_t size);
    // Appends a String of the format: UTF-16 from the UTF-8 text.
    minidump::Location AppendString(const char* text);
    // Writes the bytes again over a part appended earlier.
    void Rewrite(minidump::Location where, const void* data);

  private:
    bool WriteAll(const void* data, size_t size);
    void Pad();

    int fd_ = -1;
    uint32_t position_ = 0;
    bool failed_ = false;
};

}  // namespace platform::crash
