#include "platform/ChildOutputLines.h"

#include <chrono>

namespace platform {
namespace {

// Lines kept for History() and not yet taken: a chatty child must not fill the memory.
constexpr size_t kHistoryLimit = 2000;

}  // namespace

void ChildOutputLines::Append(const char* data, size_t size) {
    partial_.append(data, size);
    size_t eol;
    while ((eol = partial_.find('\n')) != std::string::npos) {
        AddLine(partial_.substr(0, eol));
        partial_.erase(0, eol + 1);
    }
}

void ChildOutputLines::End() {
    if (!partial_.empty()) {
        AddLine(std::move(partial_));
        partial_.clear();
    }
    std::lock_guard lock(mutex_);
    ended_ = true;
    cv_.notify_all();
}

bool ChildOutputLines::ReadLine(std::string& line, int timeoutMs) {
    std::unique_lock lock(mutex_);
    const bool ready = cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [this] { return !pending_.empty() || ended_; });
    if (!ready || pending_.empty()) {
        return false;
    }
    line = std::move(pending_.front());
    pending_.pop_front();
    return true;
}

std::vector<std::string> ChildOutputLines::History() const {
    std::lock_guard lock(mutex_);
    return std::vector<std::string>(history_.begin(), history_.end());
}

void ChildOutputLines::AddLine(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    std::lock_guard lock(mutex_);
    history_.push_back(line);
    if (history_.size() > kHistoryLimit) {
        history_.pop_front();
    }
    pending_.push_back(std::move(line));
    if (pending_.size() > kHistoryLimit) {
        pending_.pop_front();
    }
    cv_.notify_all();
}

}  // namespace platform
