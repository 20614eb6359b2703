// kavrin-server: the reference API and download server, over HTTPS on loopback.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include <httplib.h>

#include "common/CrashReportLimit.h"
#include "platform/ServerSockets.h"
#include "platform/Termination.h"
#include "server/ApiHandler.h"
#include "server/CrashReportReceiver.h"
#include "server/CrashReportStore.h"
#include "server/DataStore.h"
#include "server/ElasticTaskQueue.h"
#include "server/HttpFrontend.h"
#include "server/RsaPrivateKey.h"
#include "server/ServerOptions.h"
#include "server/TlsConnectionServer.h"

namespace {

// Each open connection holds a worker for as long as the client keeps it alive, and a client
// fetches a file over many range connections, several files at once: every connection gets a
// worker of its own, as many as the open files allow with one file served on each.
constexpr size_t kMaxWorkers = 4096;
constexpr size_t kMinWorkers = 16;
constexpr uint64_t kFilesKeptForOthers = 64;
constexpr auto kListenPoll = std::chrono::milliseconds(5);

int Fail(const std::string& message) {
    std::fprintf(stderr, "kavrin-server: %s\n", message.c_str());
    return 1;
}

size_t WorkerCap(uint64_t openFileLimit) {
    const uint64_t perConnection = 2;
    const uint64_t usable =
        openFileLimit > kFilesKeptForOthers ? openFileLimit - kFilesKeptForOthers : 0;
    return std::clamp<size_t>(
        static_cast<size_t>(std::min<uint64_t>(usable / perConnection, kMaxWorkers)), kMinWorkers,
        kMaxWorkers);
}

std::string ListenFailure(const ServerOptions& options) {
    if (options.port != 0 && platform::PortIsTaken(options.host, options.port)) {
        return "port " + std::to_string(options.port) + " is already in use on " + options.host;
    }
    return "cannot listen on " + options.host + ":" + std::to_string(options.port);
}

}  // namespace

int main(int argc, char** argv) {
    ServerOptions options;
    std::string error;
    if (!ParseServerOptions(argc, argv, options, error)) {
        std::fputs(ServerUsage(), stderr);
        return Fail(error);
    }
    // Before any thread starts, so that only the stopper below sees the request to stop.
    platform::TerminationWaiter termination;

    RsaPrivateKey key;
    if (!key.LoadFile(options.rsaKeyFile)) {
        return Fail("cannot load the RSA private key " + options.rsaKeyFile);
    }
    std::error_code fsError;
    if (!std::filesystem::is_directory(options.dataDir, fsError)) {
        return Fail("no data folder " + options.dataDir);
    }
    const size_t workerCap = WorkerCap(platform::RaiseOpenFileLimit());
    TlsConnectionServer server(options.certFile, options.keyFile, ConnectionLimits{});
    if (!server.is_valid()) {
        return Fail("cannot use the certificate " + options.certFile + " with " + options.keyFile);
    }
    const int port = server.Bind(options.host, options.port);
    if (port < 0) {
        return Fail(ListenFailure(options));
    }

    const std::string baseUrl = "https://" + options.host + ":" + std::to_string(port) + "/";
    const DataStore store(options.dataDir, baseUrl);
    const ApiHandler api(key, store, ApiSettings{options.form, options.fault});
    std::atomic<bool> stopping{false};
    const HttpFrontend frontend(api, store, options.stallMs, options.rateBytesPerSecond, stopping);
    server.new_task_queue = [workerCap] { return new ElasticTaskQueue(workerCap); };
    // No request but a crash report has a body worth reading.
    server.set_payload_max_length(kMaxCrashReportBytes);
    server.Get(".*", [&frontend](const httplib::Request& request, httplib::Response& response) {
        frontend.Handle(request, response);
    });
    const CrashReportStore reports(options.dataDir);
    const CrashReportReceiver receiver(reports);
    server.set_expect_100_continue_handler(
        [&receiver](const httplib::Request& request, httplib::Response& response) {
            return receiver.ExpectContinue(request, response);
        });
    server.Post(".*", [&receiver](const httplib::Request& request, httplib::Response& response,
                                  const httplib::ContentReader& reader) {
        receiver.Handle(request, response, reader);
    });

    std::atomic<bool> listenEnded{false};
    std::thread stopper([&] {
        termination.Wait();
        stopping = true;
        // A stop that comes before the listening loop runs is ignored by the library, and the
        // server would then serve on after it was asked to end: wait for the loop first.
        while (!listenEnded && !server.is_running()) {
            std::this_thread::sleep_for(kListenPoll);
        }
        server.stop();
    });
    std::printf("kavrin-server listening on %s\n", baseUrl.c_str());
    std::fflush(stdout);
    const bool listened = server.listen_after_bind();
    listenEnded = true;
    // When the server ends on its own, wake the stopper so it can be joined.
    if (!stopping) {
        termination.Wake();
    }
    stopper.join();
    return listened ? 0 : 1;
}
