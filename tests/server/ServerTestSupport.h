#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include "api/RequestEnvelope.h"
#include "server/RsaPrivateKey.h"
#include "tests/support/DevKeys.h"

// The client's side of the wire, set up with the build's development keys.
class ClientSide {
  public:
    ClientSide() {
        context_.baseUrl = "https://127.0.0.1:47443/";
        context_.publicKeyPem = DevPublicKeyPem();
        // The server seals in every form; the client's envelope must open each, whatever
        // policy this build's program keeps.
        context_.requireRsaAnswers = false;
    }

    // The request path the client would send: "prefix?v_=ESCAPED".
    std::string Wrap(const std::string& path, const char* nonce) const {
        char requestPath[RequestEnvelope::kRequestPathCapacity] = {};
        if (!RequestEnvelope::Wrap(context_, path.c_str(), nonce, requestPath)) {
            return "<wrap failed>";
        }
        return requestPath;
    }

    // What the client makes of an answer body: the JSON text, or "<rejected>".
    std::string Unwrap(std::string_view body, const char* nonce) const {
        char* answer = nullptr;
        size_t length = 0;
        const std::string text(body);
        if (!RequestEnvelope::Unwrap(context_, nonce, text.c_str(), text.size(), &answer,
                                     &length)) {
            return "<rejected>";
        }
        std::string json(answer, length);
        std::free(answer);
        return json;
    }

  private:
    AppContext context_;
};

inline void LoadDevPrivateKey(RsaPrivateKey& key) {
    key.LoadFile(std::string(KAVRIN_DEVKEY_DIR) + "/rsa_private.pem");
}

// The still-escaped value of v_ in a wrapped request path.
inline std::string EscapedEnvelopeOf(const std::string& requestPath) {
    const size_t at = requestPath.find("?v_=");
    return at == std::string::npos ? std::string() : requestPath.substr(at + 4);
}
