#include "server/CrashReportReceiver.h"

#include <charconv>
#include <optional>
#include <string>

#include "common/CrashReportLimit.h"
#include "server/ApiReply.h"
#include "server/RequestLog.h"
#include "server/RequestTarget.h"

namespace {

constexpr std::string_view kReportPath = "/client/crashreport";
constexpr const char* kStoredAnswer = R"({"status":"SUCCESS"})";

std::string PathOf(const httplib::Request& request) {
    return RequestTarget::CollapseLeadingSlashes(request.path);
}

// Nothing when the request announces no length (a chunked body) or one that is no number.
std::optional<uint64_t> AnnouncedLength(const httplib::Request& request) {
    const std::string text = request.get_header_value("Content-Length");
    uint64_t length = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (text.empty() || status != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return length;
}

bool AnnouncedTooLarge(const httplib::Request& request) {
    const auto length = AnnouncedLength(request);
    return length && *length > kMaxCrashReportBytes;
}

// A refused report is not read further: the connection is closed after the answer, so what is
// left of its body is never taken for the next request.
void Answer(const httplib::Request& request, httplib::Response& response, int status,
            const std::string& body) {
    response.status = status;
    response.set_content(body, "application/json");
    if (status != 200) {
        response.set_header("Connection", "close");
    }
    LogRequest(request.method, PathOf(request), RequestTarget::QueryOf(request.target), status,
               body.size());
}

}  // namespace

int CrashReportReceiver::ExpectContinue(const httplib::Request& request,
                                        httplib::Response& response) const {
    if (PathOf(request) != kReportPath || !AnnouncedTooLarge(request)) {
        return 100;
    }
    Answer(request, response, 413, FailedAnswer("report too large"));
    // The library sends this answer without the length it gives every other one, and a
    // client would then wait for the connection to end to know the answer had.
    response.set_header("Content-Length", std::to_string(response.body.size()));
    return 413;
}

void CrashReportReceiver::Handle(const httplib::Request& request, httplib::Response& response,
                                 const httplib::ContentReader& reader) const {
    if (PathOf(request) != kReportPath) {
        Answer(request, response, 404, FailedAnswer("not found"));
        return;
    }
    if (AnnouncedTooLarge(request)) {
        Answer(request, response, 413, FailedAnswer("report too large"));
        return;
    }
    // The library splits such bodies into parts this receiver would have to reassemble.
    if (request.is_multipart_form_data()) {
        Answer(request, response, 400, FailedAnswer("report is not a plain body"));
        return;
    }
    Receive(request, response, reader);
}

void CrashReportReceiver::Receive(const httplib::Request& request, httplib::Response& response,
                                  const httplib::ContentReader& reader) const {
    std::string body;
    bool tooLarge = false;
    if (!ReadBody(reader, body, tooLarge)) {
        Answer(request, response, tooLarge ? 413 : 400,
               FailedAnswer(tooLarge ? "report too large" : "report cut off"));
        return;
    }
    if (body.empty()) {
        Answer(request, response, 400, FailedAnswer("empty report"));
        return;
    }
    const auto query = RequestTarget::ParseQuery(RequestTarget::QueryOf(request.target));
    const auto stored = store_.Store(RequestTarget::Find(query, "dump").value_or(""), body);
    if (!stored) {
        Answer(request, response, 500, FailedAnswer("report cannot be stored"));
        return;
    }
    Answer(request, response, 200, kStoredAnswer);
    LogReportStored("crashes/" + stored->filename().string(), body.size());
}

bool CrashReportReceiver::ReadBody(const httplib::ContentReader& reader, std::string& body,
                                   bool& tooLarge) {
    return reader([&](const char* data, size_t length) {
        if (length > kMaxCrashReportBytes - body.size()) {
            tooLarge = true;
            return false;
        }
        body.append(data, length);
        return true;
    });
}
