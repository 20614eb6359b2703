#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include <httplib.h>

#include "server/ApiHandler.h"
#include "server/DataStore.h"

// The one handler behind every path: API calls, downloads under /files/, 404 for the rest.
class HttpFrontend {
  public:
    // bytesPerSecond paces each download answer; 0 leaves them unpaced.
    HttpFrontend(const ApiHandler& api, const DataStore& store, int stallMs,
                 uint64_t bytesPerSecond, const std::atomic<bool>& stopping)
        : api_(api),
          store_(store),
          stallMs_(stallMs),
          bytesPerSecond_(bytesPerSecond),
          stopping_(stopping) {}

    void Handle(const httplib::Request& request, httplib::Response& response) const;

  private:
    void ServeApi(const httplib::Request& request, const std::string& path,
                  httplib::Response& response, ApiReply reply) const;
    // False when path names no download: neither a file in "files/" nor one the catalogue lists.
    bool ServeDownload(const httplib::Request& request, const std::string& path,
                       httplib::Response& response) const;
    void Stall(const httplib::Request& request) const;

    const ApiHandler& api_;
    const DataStore& store_;
    int stallMs_;
    uint64_t bytesPerSecond_;
    const std::atomic<bool>& stopping_;
};
