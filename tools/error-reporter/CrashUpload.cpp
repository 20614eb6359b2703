#include "tools/error-reporter/CrashUpload.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "api/ApiClient.h"
#include "api/JsonAnswer.h"
#include "common/CrashReportLimit.h"

namespace {

namespace fs = std::filesystem;

bool IsUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::string Escaped(std::string_view value) {
    std::string out;
    for (const char c : value) {
        if (IsUnreserved(c)) {
            out += c;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
            out += escape;
        }
    }
    return out;
}

// Only a regular file is read, never what a link points at: the report is the dump and nothing
// else on the machine. Nothing when it was read, else why it cannot be sent.
std::optional<UploadOutcome> ReadDump(const fs::path& dump, std::string& bytes) {
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(dump, error))) {
        return UploadOutcome::DumpMissing;
    }
    const uintmax_t size = fs::file_size(dump, error);
    if (error) {
        return UploadOutcome::DumpMissing;
    }
    if (size == 0 || size > kMaxCrashReportBytes) {
        return UploadOutcome::DumpTooLarge;
    }
    std::ifstream in(dump, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.empty()) {
        return UploadOutcome::DumpMissing;
    }
    return std::nullopt;
}

}  // namespace

std::string CrashReportPath(const UploadTarget& target, std::string_view dumpName) {
    std::string path = "client/crashreport?softid=" + std::to_string(target.softId) +
                       "&version=" + std::to_string(target.version);
    if (!target.clientId.empty()) {
        path += "&uuid=" + Escaped(target.clientId);
    }
    return path + "&dump=" + Escaped(dumpName);
}

UploadOutcome UploadDump(const UploadTarget& target, const fs::path& dump,
                         std::string_view dumpName) {
    std::string bytes;
    if (const auto refusal = ReadDump(dump, bytes)) {
        return *refusal;
    }
    AppContext context;
    context.baseUrl = target.baseUrl;
    std::string answer;
    const std::string path = CrashReportPath(target, dumpName);
    if (!ApiClient(context).Post(path.c_str(), bytes.data(), bytes.size(), answer)) {
        return UploadOutcome::Failed;
    }
    Json::Value root;
    return ParseJsonAnswer(answer.data(), answer.size(), root) && IsSuccessAnswer(root)
               ? UploadOutcome::Sent
               : UploadOutcome::Failed;
}
