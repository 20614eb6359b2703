#include "platform/posix/crash/LineReader.h"

#include <unistd.h>

#include <cerrno>

namespace platform::crash {
namespace {

const char* FindLineEnd(const char* from, const char* to) {
    for (; from < to; ++from) {
        if (*from == '\n') {
            return from;
        }
    }
    return nullptr;
}

}  // namespace

LineReader::LineReader(int fd, char* buffer, size_t capacity)
    : fd_(fd), buffer_(buffer), capacity_(capacity) {}

bool LineReader::Next(const char*& line, size_t& length) {
    if (skipping_) {
        skipping_ = false;
        SkipRestOfLine();
    }
    for (;;) {
        const char* lineEnd = FindLineEnd(buffer_ + start_, buffer_ + end_);
        if (lineEnd != nullptr) {
            line = buffer_ + start_;
            length = static_cast<size_t>(lineEnd - line);
            start_ += length + 1;
            return true;
        }
        if (start_ == 0 && end_ == capacity_) {
            line = buffer_;
            length = capacity_;
            start_ = end_;
            skipping_ = true;
            return true;
        }
        if (ended_) {
            line = buffer_ + start_;
            length = end_ - start_;
            start_ = end_;
            return length > 0;
        }
        Fill();
    }
}

// Moves what is left to the front and reads more behind it. A read error ends the file, as a
// /proc file that cannot be read on has nothing more to tell.
void LineReader::Fill() {
    for (size_t i = start_; i < end_; ++i) {
        buffer_[i - start_] = buffer_[i];
    }
    end_ -= start_;
    start_ = 0;
    for (;;) {
        const ssize_t n = read(fd_, buffer_ + end_, capacity_ - end_);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ended_ = true;
        } else {
            end_ += static_cast<size_t>(n);
        }
        return;
    }
}

void LineReader::SkipRestOfLine() {
    for (;;) {
        const char* lineEnd = FindLineEnd(buffer_ + start_, buffer_ + end_);
        if (lineEnd != nullptr) {
            start_ = static_cast<size_t>(lineEnd - buffer_) + 1;
            return;
        }
        start_ = end_;
        if (ended_) {
            return;
        }
        Fill();
    }
}

}  // namespace platform::crash
