#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One line per request on stdout, flushed at once, so a test or a person watching the server
// sees each exchange as it happens.
std::string FormatRequestLine(std::string_view method, std::string_view path,
                              std::string_view query, int status, uint64_t bodyBytes);

void LogRequest(std::string_view method, std::string_view path, std::string_view query, int status,
                uint64_t bodyBytes);

// "SENT PATH N bytes" once a streamed body ends, finished or cut off: what really left the
// server for that request.
std::string FormatSentLine(std::string_view path, uint64_t sentBytes);
void LogBytesSent(std::string_view path, uint64_t sentBytes);

// "STORED NAME N bytes" once a crash report is written: the name the server gave it in the data
// folder, so that the request line above it can be matched with its file.
void LogReportStored(std::string_view name, uint64_t bytes);
