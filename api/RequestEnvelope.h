#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/EnvelopeFormat.h"
#include "context/AppContext.h"

// The envelope around every server call. A request hides its query, with the call's nonce, in
// one Base64 parameter carrying an RSA-protected CRC-32; an answer must prove with its CRC and
// the echo of the nonce that it belongs to this request.
namespace RequestEnvelope {

// The server's way to fail: a body holding this is handed over as it is, without an envelope
// or with another call's nonce, and so is never a successful answer.
constexpr std::string_view kFailureMarker = R"("status":"FAILED")";

constexpr size_t kRequestPathCapacity = 5124;
constexpr size_t kMaxPathLength = 1023;

// Builds "prefix?v_=ESCAPED_BASE64" for path and nonce. False for a missing or too long path,
// an unusable key, an RSA error or an address that would not fit.
bool Wrap(const AppContext& context, const char* path, const char* nonce,
          char (&requestPath)[kRequestPathCapacity]);

// Opens and checks an answer body of bodyLength bytes. On true *answer is a new zero-terminated
// heap block (release with free) holding the JSON text without the nonce echo. A body holding
// kFailureMarker is handed over as it is; under the context's requireRsaAnswers policy any
// other body must carry the RSA-protected CRC.
bool Unwrap(const AppContext& context, const char* nonce, const char* body, size_t bodyLength,
            char** answer, size_t* length);

}  // namespace RequestEnvelope
