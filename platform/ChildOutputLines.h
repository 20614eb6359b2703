#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// What a child process writes to its output, cut into lines: the reader thread appends the
// bytes as they come, the caller takes lines as they complete and can look back at the last
// lines at any time. Lines end at "\n"; a "\r" before it is dropped.
namespace platform {

class ChildOutputLines {
  public:
    void Append(const char* data, size_t size);
    // The output has closed: a last line without its end still counts.
    void End();

    // The next line not yet taken, waiting at most timeoutMs; false once the output has ended
    // and every line was taken, or when the wait runs out.
    bool ReadLine(std::string& line, int timeoutMs);
    std::vector<std::string> History() const;

  private:
    void AddLine(std::string line);

    std::string partial_;  // the reader thread's alone
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<std::string> pending_;
    std::deque<std::string> history_;
    bool ended_ = false;
};

}  // namespace platform
