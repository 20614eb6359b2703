// The server's opening of a request envelope (the Base64 text of its "v_" parameter).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/FuzzKeys.h"
#include "server/RsaPrivateKey.h"
#include "server/ServerEnvelope.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static RsaPrivateKey* key = [] {
        auto* made = new RsaPrivateKey;
        if (!made->LoadPem(FuzzKeyPem("rsa_private.pem"))) {
            std::abort();
        }
        return made;
    }();
    std::string query;
    std::string error;
    if (!ServerEnvelope::OpenRequest(*key, fuzzinput::AsText(data, size), query, error) &&
        error.empty()) {
        std::abort();
    }
    return 0;
}
