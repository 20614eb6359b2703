#pragma once

#include <cstdint>
#include <filesystem>

#include <httplib.h>

// Answers a GET of one download file, honouring a single byte range. The file is streamed in
// pieces, so large files never sit in memory. Returns the number of body bytes promised.
uint64_t RespondWithFile(const httplib::Request& request, httplib::Response& response,
                         const std::filesystem::path& path);
