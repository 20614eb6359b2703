#include "tests/engine/FaultyFileServer.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "tests/support/Poll.h"

namespace {

constexpr size_t kPiece = 16 * 1024;

struct Span {
    int64_t first = 0;
    int64_t length = 0;
};

// Only the one form the engine sends: "bytes=FIRST-" or "bytes=FIRST-LAST".
std::optional<Span> ParseRange(const std::string& header, int64_t size) {
    if (header.rfind("bytes=", 0) != 0) {
        return std::nullopt;
    }
    const size_t dash = header.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const int64_t first = std::stoll(header.substr(6, dash - 6));
    const std::string lastText = header.substr(dash + 1);
    const int64_t last =
        lastText.empty() ? size - 1 : std::min<int64_t>(std::stoll(lastText), size - 1);
    if (first >= size || last < first) {
        return Span{-1, 0};
    }
    return Span{first, last - first + 1};
}

}  // namespace

FaultyFileServer::FaultyFileServer() : server_(std::make_unique<httplib::Server>()) {
    // Every engine connection may hold a thread while it waits for its next request.
    server_->new_task_queue = [] { return new httplib::ThreadPool(256); };
    server_->set_keep_alive_timeout(1);
    server_->Get(R"(/files/([^/]+))",
                 [this](const httplib::Request& request, httplib::Response& response) {
                     // The library would cut the answer to the Range by itself; ranges are applied
                     // here.
                     const_cast<httplib::Request&>(request).ranges.clear();
                     Serve(request.matches[1], request.get_header_value("Range"), &response);
                 });
    port_ = server_->bind_to_any_port("127.0.0.1");
    // The socket listens from the bind on, so requests made before the thread runs wait.
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // A stop before the accept loop runs would be missed and the join would never return.
    if (!PollUntil([this] { return server_->is_running(); }, std::chrono::seconds(20),
                   std::chrono::milliseconds(1))) {
        ADD_FAILURE() << "the file server does not listen on port " << port_;
    }
}

FaultyFileServer::~FaultyFileServer() {
    server_->stop();
    thread_.join();
}

void FaultyFileServer::AddFile(const std::string& name, std::string content) {
    std::lock_guard lock(mutex_);
    files_[name] = std::make_shared<const std::string>(std::move(content));
}

void FaultyFileServer::SetFaults(const Faults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    random_.seed(faults.randomSeed);
    planned_ = 0;
}

// Under the lock: requests draw in the order they arrive.
FaultyFileServer::Draw FaultyFileServer::DrawFaults(const Faults& faults) {
    if (planned_ < faults.plan.size()) {
        const char step = faults.plan[planned_++];
        return {.fail = step == 'f', .ignoreRange = step == 'w', .dropAt = step == 'c' ? 0.5 : -1};
    }
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_real_distribution<double> point(0.0, 1.0);
    Draw draw;
    draw.fail = percent(random_) < faults.failPercent;
    draw.ignoreRange = percent(random_) < faults.ignoreRangePercent;
    const bool drop = percent(random_) < faults.dropPercent;
    const double at = point(random_);
    draw.dropAt = drop ? at : -1;
    return draw;
}

std::string FaultyFileServer::Url(const std::string& name) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/files/" + name;
}

void FaultyFileServer::Serve(const std::string& name, const std::string& rangeHeader, void* out) {
    auto& response = *static_cast<httplib::Response*>(out);
    const int64_t number = ++requests_;
    std::shared_ptr<const std::string> file;
    Faults faults;
    Draw draw;
    {
        std::lock_guard lock(mutex_);
        faults = faults_;
        draw = DrawFaults(faults);
        auto it = files_.find(name);
        if (it != files_.end()) {
            file = it->second;
        }
    }
    if (!file) {
        response.status = 404;
        response.set_content("not found\n", "text/plain");
        return;
    }
    if (draw.fail || (faults.failEvery > 0 && number % faults.failEvery == 0)) {
        response.status = 503;
        response.set_content("busy\n", "text/plain");
        return;
    }
    const auto size = static_cast<int64_t>(file->size());
    Span span{0, size};
    const bool ignoreRanges = faults.ignoreRanges || draw.ignoreRange;
    if (!ignoreRanges && !rangeHeader.empty()) {
        auto range = ParseRange(rangeHeader, size);
        if (range && range->first < 0) {
            response.status = 416;
            response.set_header("Content-Range", "bytes */" + std::to_string(size));
            return;
        }
        if (range) {
            span = *range;
            ++rangeRequests_;
            response.status = 206;
            response.set_header(
                "Content-Range",
                "bytes " + std::to_string(span.first) + "-" +
                    std::to_string(span.first + span.length - 1) + "/" +
                    std::to_string(faults.claimedSize > 0 ? faults.claimedSize : size));
        }
    }
    if (!ignoreRanges) {
        response.set_header("Accept-Ranges", "bytes");
    }
    if (draw.dropAt >= 0) {
        faults.dropAfterBytes = std::max<int64_t>(
            1, static_cast<int64_t>(draw.dropAt * static_cast<double>(span.length)));
    }
    response.set_content_provider(
        static_cast<size_t>(span.length), "application/octet-stream",
        [this, file, span, faults](size_t offset, size_t length, httplib::DataSink& sink) {
            if (faults.dropAfterBytes > 0 &&
                static_cast<int64_t>(offset) >= faults.dropAfterBytes) {
                return false;
            }
            const size_t piece = std::min(length, kPiece);
            if (faults.bytesPerSecond > 0) {
                std::this_thread::sleep_for(std::chrono::microseconds(
                    static_cast<int64_t>(piece) * 1000000 / faults.bytesPerSecond));
            }
            if (!sink.write(file->data() + span.first + static_cast<int64_t>(offset), piece)) {
                return false;
            }
            bytesSent_ += static_cast<int64_t>(piece);
            return true;
        },
        [this](bool success) {
            if (!success) {
                ++cutAnswers_;
            }
        });
}
