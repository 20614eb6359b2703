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
