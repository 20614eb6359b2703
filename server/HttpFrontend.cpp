#include "server/HttpFrontend.h"

#include <openssl/ssl.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/Termination.h"
#include "server/DemoFileResponder.h"
#include "server/FileResponder.h"
#include "server/RequestLog.h"
#include "server/RequestTarget.h"

namespace {

constexpr std::string_view kFilesPrefix = "/files/";
constexpr auto kStallStep = std::chrono::milliseconds(50);

void Respond(httplib::Response& response, int status, const std::string& body) {
    response.status = status;
    response.set_content(body, "text/plain");
}

bool AnnouncesBody(const httplib::Request& request) {
    const std::string length = request.get_header_value("Content-Length");
    return request.has_header("Transfer-Encoding") || (!length.empty() && length != "0");
}

}  // namespace

void HttpFrontend::Handle(const httplib::Request& request, httplib::Response& response) const {
    // This library would cut every answer down to the request's Range by itself, without
    // clamping or refusing ranges past the end; downloads apply ranges here instead, and no
    // other answer is ever partial. The request object is the library's own mutable one.
    const_cast<httplib::Request&>(request).ranges.clear();

    const std::string path = RequestTarget::CollapseLeadingSlashes(request.path);
    if (AnnouncesBody(request)) {
        // The library leaves such a body unread, and its bytes would be read as the next
        // request; the answer ends the connection instead.
        response.set_header("Connection", "close");
        Respond(response, 400, "no body expected\n");
        LogRequest(request.method, path, "", response.status, response.body.size());
        return;
    }
    if (auto reply = api_.Handle(path, RequestTarget::QueryOf(request.target))) {
        ServeApi(request, path, response, std::move(*reply));
        return;
    }
    if (ServeDownload(request, path, response)) {
        return;
    }
    Respond(response, 404, "not found\n");
    LogRequest(request.method, path, "", response.status, response.body.size());
}

void HttpFrontend::ServeApi(const httplib::Request& request, const std::string& path,
                            httplib::Response& response, ApiReply reply) const {
    if (reply.drop) {
        Stall(request);
        // Status 0: no status line was sent.
        LogRequest(request.method, path, reply.query, 0, 0);
        return;
    }
    if (!reply.location.empty()) {
        response.set_header("Location", reply.location);
    }
    Respond(response, reply.status, reply.body);
    LogRequest(request.method, path, reply.query, reply.status, reply.body.size());
}

// A file on disk comes first, so tests can serve bytes of their own under a catalogued name.
bool HttpFrontend::ServeDownload(const httplib::Request& request, const std::string& path,
                                 httplib::Response& response) const {
    if (!path.starts_with(kFilesPrefix)) {
        return false;
    }
    const std::string_view name = std::string_view(path).substr(kFilesPrefix.size());
    const TransferPace pace{bytesPerSecond_, &stopping_};
    uint64_t bytes = 0;
    if (const auto file = store_.DownloadPath(name)) {
        bytes = RespondWithFile(request, response, *file, pace);
    } else if (const auto size = store_.GeneratedFileSize(name)) {
        bytes = RespondWithDemoFile(request, response, name, *size, pace);
    } else {
        return false;
    }
    LogRequest(request.method, path, "", response.status, bytes);
    return true;
}

// Holds the request, then cuts the connection under the TLS layer so that the client reads no
// status line at all. Throwing from the handler would not do: the library turns that into a 500.
void HttpFrontend::Stall(const httplib::Request& request) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(stallMs_);
    while (!stopping_ && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(kStallStep);
    }
    const int fd = request.ssl != nullptr ? SSL_get_fd(request.ssl) : -1;
    if (fd >= 0) {
        platform::ShutdownConnection(fd);
    }
}
