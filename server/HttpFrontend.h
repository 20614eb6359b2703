#pragma once

#include <atomic>
#include <string>

#include <httplib.h>

#include "server/ApiHandler.h"
#include "server/DataStore.h"

// The one handler behind every path: API calls, downloads under /files/, 404 for the rest.
class HttpFrontend {
  public:
    HttpFrontend(const ApiHandler& api, const DataStore& store, int stallMs,
                 const std::atomic<bool>& stopping)
        : api_(api), store_(store), stallMs_(stallMs), stopping_(stopping) {}

    void Handle(const httplib::Request& request, httplib::Response& response) const;

  private:
    void ServeApi(const httplib::Request& request, const std::string& path,
                  httplib::Response& response, ApiReply reply) const;
    void Stall(const httplib::Request& request) const;

    const ApiHandler& api_;
    const DataStore& store_;
    int stallMs_;
    const std::atomic<bool>& stopping_;
};
