#pragma once

#include <string>
#include <string_view>

#include "server/RsaPrivateKey.h"
#include "server/ServerEnvelope.h"

// Deliberately wrong answers, so that tests can watch the client refuse them. They apply to API
// answers only, never to downloads.
enum class FaultMode {
    None,
    FailedPlain,     // a plain {"status":"FAILED"} answer
    FailedWithData,  // a plain answer that says FAILED first, then every member of the sound one
    ForeignNonce,    // a sound envelope echoing another request's nonce
    BadCrc,          // the envelope's CRC does not match its payload
    ShortEnvelope,   // fewer bytes than the envelope's flags promise
    ZeroInPayload,   // a zero byte inside the payload as sent, with a matching CRC
    NotFound,        // HTTP 404 with a body
    Redirect,        // HTTP 302 with a Location and a body
    EmptyBody,       // HTTP 200 without a body
    Stall,           // no answer at all: the connection is held, then closed
};

bool ParseFaultMode(std::string_view name, FaultMode& mode);

// The faults that are built into the envelope itself.
bool IsEnvelopeFault(FaultMode mode);

// The body of an envelope fault for json and the request's nonce, in the configured form.
bool SealFaultyAnswer(FaultMode mode, const RsaPrivateKey& key, std::string_view json,
                      std::string_view nonce, ServerEnvelope::AnswerForm form, std::string& body);
