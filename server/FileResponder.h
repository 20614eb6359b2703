#pragma once

#include <cstdint>
#include <filesystem>

#include <httplib.h>

#include "server/TransferPacer.h"

// Answers a GET of one download file on disk, honouring a single byte range; 404 when the file
// cannot be opened. Returns the number of body bytes promised.
uint64_t RespondWithFile(const httplib::Request& request, httplib::Response& response,
                         const std::filesystem::path& path, TransferPace pace);
