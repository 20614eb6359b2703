#pragma once

#include <cstddef>
#include <string>

#include "context/AppContext.h"

// One server call or one plain GET. Answers are zero-terminated heap blocks that the caller
// releases with free(). Any number of threads may call at the same time.
class ApiClient {
  public:
    explicit ApiClient(const AppContext& context) : context_(context) {}

    // A blocking GET of pathOrUrl: a full "https://" or "http://" address as it is, anything else
    // appended to the base URL. True only for status 200; an empty body gives (nullptr, 0).
    // On false nothing is written and nothing is left to release.
    bool Get(const char* pathOrUrl, char** body, size_t* length) const;

    // A blocking POST of length bytes of body, sent unchanged as application/octet-stream, to
    // pathOrUrl composed as Get composes it. True only for status 200, with the answer's body in
    // answer; on false answer is left as it was.
    bool Post(const char* pathOrUrl, const char* body, size_t length, std::string& answer) const;

    // One enveloped server call: path with its query in clear, at most 1023 characters. True
    // only for an answer that opens and reports success: a failure the server sends, in an
    // envelope or without one, fails the call. On true the plain JSON answer is in *answer; a
    // null answer slot stops after a successful fetch. On false nothing is left to release.
    bool Call(const char* path, char** answer, size_t* length) const;

  private:
    const AppContext& context_;
};

// Call, with the answer as a string instead of a heap block. False when the call fails.
bool CallForText(const ApiClient& client, const char* path, std::string& answer);

// Global set-up of the HTTP library, once per process before any call. False on failure.
bool InitHttpLibrary();
