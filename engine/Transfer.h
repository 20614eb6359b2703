#pragma once

#include <curl/curl.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/BufferPool.h"
#include "engine/EngineSettings.h"

namespace dlengine {

class Task;

// One HTTP request for one piece of a file. It asks for [start, end) (an open end while the
// size is unknown), hands full blocks to its task and stops by itself at end, which another
// transfer may pull in while this one runs.
class Transfer {
  public:
    Transfer(Task& task, int64_t start, int64_t end);
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    bool Prepare(const std::string& url, const EngineSettings& settings, int64_t speedLimit);
    CURL* easy() const { return easy_; }
    Task& task() const { return task_; }

    int64_t start = 0;
    int64_t cursor = 0;
    int64_t end = -1;  // -1: to the end of the file, whatever its size
    bool answerChecked = false;
    bool reachedEnd = false;  // stopped on purpose at end
    bool refused = false;     // the answer was refused; the task already knows why
    bool pausedForBlocks = false;
    bool cancelled = false;  // to be removed by the task outside curl's callbacks
    long httpStatus = 0;
    // The socket's receive buffer, when it must be smaller than the system's choice; 0 leaves it.
    int receiveWindow = 0;
    std::unique_ptr<Block> block;  // the block being filled
    std::chrono::steady_clock::time_point blockSince;
    int64_t BufferedBytes() const { return block ? static_cast<int64_t>(block->used) : 0; }

  private:
    static int OnSocket(void* self, curl_socket_t socket, curlsocktype purpose);
    static size_t OnData(char* data, size_t size, size_t count, void* self);
    size_t Receive(const char* data, size_t size);

    Task& task_;
    CURL* easy_ = nullptr;
    std::string range_;
};

}  // namespace dlengine
