#pragma once

#include <string>
#include <string_view>

// What the HTTP side sends for one API request.
struct ApiReply {
    int status = 200;
    std::string body;
    std::string location;  // set for redirects
    bool drop = false;     // hold the request, then close the connection without an answer
    std::string query;     // the opened query text, for the log; empty when none was opened
};

// The plain answer a client accepts without an envelope and then rejects by its status.
std::string FailedAnswer(std::string_view message);
