#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

// A plain-HTTP file server in the test's own process, with the faults a download engine must
// survive, counting every body byte it sends.
class FaultyFileServer {
  public:
    struct Faults {
        bool ignoreRanges = false;   // answer every request with the whole file
        int64_t dropAfterBytes = 0;  // close each answer after this many body bytes
        int failEvery = 0;           // every Nth request gets a 503
        int64_t bytesPerSecond = 0;  // per-answer throttle
        int64_t claimedSize = 0;     // the file size partial answers claim, if not 0
        // Faults drawn per request from a generator seeded with randomSeed, each in this many
        // requests of a hundred: a 503, a whole answer to a range request, a drop at a point
        // drawn from the answer's length.
        uint32_t randomSeed = 0;
        int failPercent = 0;
        int ignoreRangePercent = 0;
        int dropPercent = 0;
        // The answers to the first requests after SetFaults, one letter each in the order they
        // arrive: 'f' a 503, 'w' the whole file whatever was asked, 'c' the answer cut halfway,
        // anything else the answer asked for. Requests past its end draw as above.
        std::string plan{};
    };

    FaultyFileServer();
    ~FaultyFileServer();
    FaultyFileServer(const FaultyFileServer&) = delete;
    FaultyFileServer& operator=(const FaultyFileServer&) = delete;

    void AddFile(const std::string& name, std::string content);
    void SetFaults(const Faults& faults);
    // "http://127.0.0.1:PORT/files/NAME"
    std::string Url(const std::string& name) const;
    int64_t BytesSent() const { return bytesSent_.load(); }
    int64_t Requests() const { return requests_.load(); }
    int64_t RangeRequests() const { return rangeRequests_.load(); }
    // Answers whose connection the client closed before their last byte.
    int64_t CutAnswers() const { return cutAnswers_.load(); }

  private:
    struct Draw {
        bool fail = false;
        bool ignoreRange = false;
        double dropAt = -1;  // fraction of the answer after which it is cut, or -1
    };
    Draw DrawFaults(const Faults& faults);
    void Serve(const std::string& name, const std::string& rangeHeader, void* response);

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<const std::string>> files_;
    Faults faults_;
    std::mt19937 random_;
    size_t planned_ = 0;  // requests answered by the plan
    std::atomic<int64_t> bytesSent_{0};
    std::atomic<int64_t> requests_{0};
    std::atomic<int64_t> rangeRequests_{0};
    std::atomic<int64_t> cutAnswers_{0};
};
