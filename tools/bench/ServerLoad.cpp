// kavrin-server-load: many HTTPS clients at once against one server, for run-server-bench.
//
//   kavrin-server-load BASE_URL FILE_PATH FILE_BYTES CA_PEM CLIENTS REQUESTS [API_KEY_PEM]
//
// Every client opens its own kept-alive connection and makes REQUESTS requests: 64 KiB ranges
// of FILE_PATH at offsets of its own and, given the server's public key, every other one an API
// call in the client's envelope (the catalogue), checked as the client checks it. Prints one
// line: requests, seconds, requests/s, MB/s, errors, the 99th percentile of the answer times,
// and each kind of failure with its count.

#include <openssl/err.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>

#include "api/RequestEnvelope.h"
#include "context/AppContext.h"
#include "platform/ServerSockets.h"

namespace {

constexpr uint64_t kRangeBytes = 64 * 1024;
constexpr const char* kApiCall = "common/gameInfoData?versionId=101&softId=3";

struct Load {
    std::string host;
    int port = 0;
    std::string filePath;
    uint64_t fileBytes = 0;
    std::string caFile;
    int clients = 0;
    int requests = 0;
    AppContext context;
    bool api = false;
};

using Clock = std::chrono::steady_clock;

struct Tally {
    std::atomic<uint64_t> requests{0};
    std::atomic<uint64_t> bytes{0};
    std::atomic<uint64_t> errors{0};
    std::mutex mutex;
    std::vector<double> latencies;
    // Why requests failed, so that a run with errors says on which side to look.
    std::map<std::string, uint64_t> causes;

    void Failed(const std::string& cause) {
        ++errors;
        const std::lock_guard lock(mutex);
        ++causes[cause];
    }
};

// The library says only which step failed; the TLS layer's own reason, when it left one on
// this thread, tells a handshake the server cut off from one it refused.
std::string CauseOf(const httplib::Result& answer, const char* what) {
    if (answer) {
        return std::string(what) + " status " + std::to_string(answer->status);
    }
    std::string cause = std::string(what) + " " + httplib::to_string(answer.error());
    if (const unsigned long tls = ERR_get_error(); tls != 0) {
        char text[256];
        ERR_error_string_n(tls, text, sizeof text);
        cause += std::string(" (") + text + ")";
    }
    ERR_clear_error();
    return cause;
}

double Percentile(std::vector<double>& values, double share) {
    if (values.empty()) {
        return 0;
    }
    const size_t at = std::min(values.size() - 1,
                               static_cast<size_t>(share * static_cast<double>(values.size())));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                     values.end());
    return values[at];
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool RangeRequest(httplib::SSLClient& client, const Load& load, std::mt19937_64& random,
                  uint64_t& bytes, std::string& cause) {
    const uint64_t from = random() % (load.fileBytes - kRangeBytes);
    const std::string range =
        "bytes=" + std::to_string(from) + "-" + std::to_string(from + kRangeBytes - 1);
    const auto answer = client.Get(load.filePath.c_str(), {{"Range", range}});
    if (!answer || answer->status != 206 || answer->body.size() != kRangeBytes) {
        cause = answer && answer->status == 206 ? "range cut short" : CauseOf(answer, "range");
        return false;
    }
    bytes = answer->body.size();
    return true;
}

bool ApiRequest(httplib::SSLClient& client, const Load& load, int clientIndex, int request,
                uint64_t& bytes, std::string& cause) {
    const std::string nonce = std::to_string(clientIndex) + std::to_string(100000 + request);
    char path[RequestEnvelope::kRequestPathCapacity] = {};
    if (!RequestEnvelope::Wrap(load.context, kApiCall, nonce.c_str(), path)) {
        cause = "api wrap";
        return false;
    }
    const auto answer = client.Get(("/" + std::string(path)).c_str());
    if (!answer || answer->status != 200) {
        cause = CauseOf(answer, "api");
        return false;
    }
    char* json = nullptr;
    size_t length = 0;
    if (!RequestEnvelope::Unwrap(load.context, nonce.c_str(), answer->body.c_str(),
                                 answer->body.size(), &json, &length)) {
        cause = "api unwrap";
        return false;
    }
    std::free(json);
    bytes = answer->body.size();
    return true;
}

void RunClient(const Load& load, int index, Tally& tally) {
    httplib::SSLClient client(load.host, load.port);
    client.set_ca_cert_path(load.caFile);
    client.enable_server_certificate_verification(true);
    client.set_keep_alive(true);
    client.set_connection_timeout(60, 0);
    client.set_read_timeout(60, 0);
    std::mt19937_64 random(static_cast<uint64_t>(index));
    std::vector<double> latencies;
    for (int request = 0; request < load.requests; ++request) {
        uint64_t bytes = 0;
        std::string cause;
        const auto start = Clock::now();
        const bool ok = load.api && request % 2 == 1
                            ? ApiRequest(client, load, index, request, bytes, cause)
                            : RangeRequest(client, load, random, bytes, cause);
        latencies.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        ++tally.requests;
        tally.bytes += bytes;
        if (!ok) {
            tally.Failed(cause);
        }
    }
    const std::lock_guard lock(tally.mutex);
    tally.latencies.insert(tally.latencies.end(), latencies.begin(), latencies.end());
}

bool ParseLoad(int argc, char** argv, Load& load) {
    if (argc != 7 && argc != 8) {
        return false;
    }
    const std::string url = argv[1];
    const size_t start = url.find("//") + 2;
    load.host = url.substr(start, url.rfind(':') - start);
    load.port = std::stoi(url.substr(url.rfind(':') + 1));
    load.filePath = argv[2];
    load.fileBytes = std::stoull(argv[3]);
    load.caFile = argv[4];
    load.clients = std::stoi(argv[5]);
    load.requests = std::stoi(argv[6]);
    if (argc == 8) {
        load.api = true;
        load.context.baseUrl = url;
        load.context.publicKeyPem = ReadFile(argv[7]);
    }
    return load.fileBytes > kRangeBytes && load.clients > 0 && load.requests > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Load load;
    if (!ParseLoad(argc, argv, load)) {
        std::fputs(
            "usage: kavrin-server-load BASE_URL FILE_PATH FILE_BYTES CA_PEM CLIENTS "
            "REQUESTS [API_KEY_PEM]\n",
            stderr);
        return 2;
    }
    // A server may end a kept-alive connection at any time; the write then fails and counts.
    platform::IgnoreBrokenPipes();
    Tally tally;
    std::vector<std::thread> clients;
    clients.reserve(static_cast<size_t>(load.clients));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < load.clients; ++i) {
        clients.emplace_back(RunClient, std::cref(load), i, std::ref(tally));
    }
    for (std::thread& client : clients) {
        client.join();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "requests=%llu seconds=%.2f requests_per_s=%.0f mb_per_s=%.1f errors=%llu p99_ms=%.0f",
        static_cast<unsigned long long>(tally.requests.load()), seconds,
        static_cast<double>(tally.requests) / seconds,
        static_cast<double>(tally.bytes) / seconds / 1e6,
        static_cast<unsigned long long>(tally.errors.load()), Percentile(tally.latencies, 0.99));
    for (const auto& [cause, count] : tally.causes) {
        std::printf(" [%s: %llu]", cause.c_str(), static_cast<unsigned long long>(count));
    }
    std::printf("\n");
    return tally.errors == 0 ? 0 : 1;
}
