#pragma once

#include <cstdint>
#include <string_view>

#include <httplib.h>

#include "server/TransferPacer.h"

// Answers a GET of a download the server makes up (server/DemoFileBytes.h) at the given size,
// honouring a single byte range as for a file on disk. Returns the number of body bytes promised.
uint64_t RespondWithDemoFile(const httplib::Request& request, httplib::Response& response,
                             std::string_view name, uint64_t size, TransferPace pace);
