#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include <httplib.h>

#include "server/TransferPacer.h"

// Fills out with up to length bytes of a download from offset on and returns how many it
// filled; 0 ends the answer early (a file that shrank under us).
using ByteSource = std::function<size_t(uint64_t offset, char* out, size_t length)>;

// Answers a GET of a download of size bytes, honouring a single byte range: 200, 206 with
// Content-Range, or 416. The body is streamed from source in pieces at the given pace, so large
// downloads never sit in memory. Returns the number of body bytes promised.
uint64_t RespondWithBytes(const httplib::Request& request, httplib::Response& response,
                          uint64_t size, ByteSource source, TransferPace pace);
