#pragma once

#include <cstddef>

namespace platform::crash {

// Reads the lines of a file through a buffer its caller owns, with read alone: for the /proc
// files the crash filter reads, where nothing may allocate.
class LineReader {
  public:
    LineReader(int fd, char* buffer, size_t capacity);

    // The next line without its end; false at the end of the file. A line longer than the
    // buffer comes cut to the buffer's size, and the rest of it is skipped.
    bool Next(const char*& line, size_t& length);

  private:
    void Fill();
    void SkipRestOfLine();

    int fd_;
    char* buffer_;
    size_t capacity_;
    size_t start_ = 0;
    size_t end_ = 0;
    bool ended_ = false;
    bool skipping_ = false;  // the last line was cut: its rest is still to be skipped
};

}  // namespace platform::crash
