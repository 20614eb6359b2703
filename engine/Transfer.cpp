#include "engine/Transfer.h"

#include <algorithm>
#include <cstring>

#include "engine/Task.h"
#include "platform/engine/Sockets.h"

namespace dlengine {

namespace {

constexpr long kReceiveBufferSize = 128 * 1024;
constexpr long kConnectTimeoutSeconds = 20;
// A transfer that gets less than a byte a second for this long counts as dropped.
constexpr long kStallSeconds = 30;

}  // namespace

Transfer::Transfer(Task& task, int64_t first, int64_t last)
    : start(first), cursor(first), end(last), task_(task) {}

Transfer::~Transfer() {
    if (easy_) {
        curl_easy_cleanup(easy_);
    }
}

bool Transfer::Prepare(const std::string& url, const EngineSettings& settings, int64_t speedLimit) {
    easy_ = curl_easy_init();
    if (!easy_) {
        return false;
    }
    range_ = std::to_string(start) + "-" + (end > 0 ? std::to_string(end - 1) : "");
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_RANGE, range_.c_str());
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, 5L);
    // One TCP connection per range, so a per-connection throttle is multiplied, not shared.
    curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(easy_, CURLOPT_BUFFERSIZE, kReceiveBufferSize);
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, settings.userAgent.c_str());
    if (!settings.caFile.empty()) {
        curl_easy_setopt(easy_, CURLOPT_CAINFO, settings.caFile.c_str());
    }
    if (!settings.proxy.empty()) {
        curl_easy_setopt(easy_, CURLOPT_PROXY, settings.proxy.c_str());
    }
    if (speedLimit > 0) {
        curl_easy_setopt(easy_, CURLOPT_MAX_RECV_SPEED_LARGE,
                         static_cast<curl_off_t>(std::max<int64_t>(speedLimit, 1024)));
    }
    if (receiveWindow > 0) {
        curl_easy_setopt(easy_, CURLOPT_SOCKOPTFUNCTION, &Transfer::OnSocket);
        curl_easy_setopt(easy_, CURLOPT_SOCKOPTDATA, this);
    }
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &Transfer::OnData);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PRIVATE, this);
    return true;
}

// A buffer the system cannot shrink costs bytes, not the transfer: it goes on as it would.
int Transfer::OnSocket(void* self, curl_socket_t socket, curlsocktype purpose) {
    if (purpose == CURLSOCKTYPE_IPCXN) {
        os::KeepBuffersSmall(static_cast<std::intptr_t>(socket),
                             static_cast<Transfer*>(self)->receiveWindow);
    }
    return CURL_SOCKOPT_OK;
}

size_t Transfer::OnData(char* data, size_t size, size_t count, void* self) {
    return static_cast<Transfer*>(self)->Receive(data, size * count);
}

size_t Transfer::Receive(const char* data, size_t size) {
    if (cancelled) {
        return 0;
    }
    if (!answerChecked) {
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &httpStatus);
        answerChecked = true;
        if (!task_.AcceptAnswer(*this)) {
            refused = true;
            return 0;
        }
    }
    size_t take = size;
    if (end >= 0) {
        const int64_t left = end - cursor;
        if (left <= 0) {
            reachedEnd = true;
            return 0;
        }
        take = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(size)));
    }
    // Either everything is taken or nothing, so a missing block can pause the transfer.
    if ((!block || block->space() < take) && !task_.HasBlockFor(*this, take)) {
        pausedForBlocks = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    size_t copied = 0;
    while (copied < take) {
        if (!block || block->space() == 0) {
            task_.FlushBlock(*this);
            block = task_.NewBlock(*this);
        }
        const size_t piece = std::min(take - copied, block->space());
        std::memcpy(block->data.get() + block->used, data + copied, piece);
        block->used += piece;
        copied += piece;
        cursor += static_cast<int64_t>(piece);
    }
    task_.CountReceived(static_cast<int64_t>(take));
    if (end >= 0 && cursor >= end) {
        reachedEnd = true;
        task_.FlushBlock(*this);
        return take == size ? size : 0;
    }
    return size;
}

}  // namespace dlengine
