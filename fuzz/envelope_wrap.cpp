// The client's wrapping of a request, opened again by the server's side: every path the client
// wraps must reach the server as the query it meant.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "api/RequestEnvelope.h"
#include "context/AppContext.h"
#include "fuzz/support/FuzzContext.h"
#include "server/RequestTarget.h"
#include "server/RsaPrivateKey.h"
#include "server/ServerEnvelope.h"

namespace {

constexpr const char* kNonce = "12345678901234";

const RsaPrivateKey& ServerKey() {
    static RsaPrivateKey* key = [] {
        auto* made = new RsaPrivateKey;
        if (!made->LoadPem(FuzzKeyPem("rsa_private.pem"))) {
            std::abort();
        }
        return made;
    }();
    return *key;
}

std::string QueryMeant(const std::string& path) {
    const size_t question = path.find('?');
    const std::string nonce = std::string("nonce=") + kNonce;
    return question == std::string::npos ? nonce : path.substr(question + 1) + "&" + nonce;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The client's paths are C strings: what follows a zero byte never reaches the wrapper.
    const std::string path(reinterpret_cast<const char*>(data), size);
    const std::string cPath(path.c_str());
    static char requestPath[RequestEnvelope::kRequestPathCapacity];
    if (!RequestEnvelope::Wrap(FuzzContext(), cPath.c_str(), kNonce, requestPath)) {
        return 0;
    }
    const std::string wrapped(requestPath);
    const size_t mark = wrapped.find("?v_=");
    if (mark == std::string::npos) {
        std::abort();
    }
    std::string query;
    std::string error;
    const std::string base64 = RequestTarget::PercentDecode(wrapped.substr(mark + 4));
    if (!ServerEnvelope::OpenRequest(ServerKey(), base64, query, error) ||
        query != QueryMeant(cPath)) {
        std::abort();
    }
    return 0;
}
