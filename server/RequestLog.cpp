#include "server/RequestLog.h"

#include <cstdio>

namespace {

// Paths and queries come from the network; a line feed in them must not forge a log line.
void AppendPrintable(std::string& line, std::string_view text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        line += (byte < 0x20 || byte == 0x7F) ? '?' : c;
    }
}

// One write per line: stdio locks the stream per call, so threads do not interleave.
void WriteLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

std::string FormatRequestLine(std::string_view method, std::string_view path,
                              std::string_view query, int status, uint64_t bodyBytes) {
    std::string line;
    AppendPrintable(line, method);
    line += ' ';
    AppendPrintable(line, path);
    if (!query.empty()) {
        line += " [";
        AppendPrintable(line, query);
        line += ']';
    }
    line += ' ' + std::to_string(status) + ' ' + std::to_string(bodyBytes) + " bytes\n";
    return line;
}

std::string FormatSentLine(std::string_view path, uint64_t sentBytes) {
    std::string line = "SENT ";
    AppendPrintable(line, path);
    return line + ' ' + std::to_string(sentBytes) + " bytes\n";
}

void LogBytesSent(std::string_view path, uint64_t sentBytes) {
    WriteLine(FormatSentLine(path, sentBytes));
}

void LogReportStored(std::string_view name, uint64_t bytes) {
    std::string line = "STORED ";
    AppendPrintable(line, name);
    WriteLine(line + ' ' + std::to_string(bytes) + " bytes\n");
}

void LogRequest(std::string_view method, std::string_view path, std::string_view query, int status,
                uint64_t bodyBytes) {
    WriteLine(FormatRequestLine(method, path, query, status, bodyBytes));
}
