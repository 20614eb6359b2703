// The client's opening of an answer body, with the nonce of the requests the corpus was made for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "api/RequestEnvelope.h"
#include "context/AppContext.h"
#include "fuzz/support/FuzzContext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char* answer = nullptr;
    size_t length = 0;
    if (RequestEnvelope::Unwrap(FuzzContext(), "12345678901234",
                                reinterpret_cast<const char*>(data), size, &answer, &length)) {
        if (answer == nullptr || answer[length] != '\0') {
            std::abort();
        }
        std::free(answer);
    } else if (answer != nullptr) {
        std::abort();
    }
    return 0;
}
