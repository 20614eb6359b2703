// Base64: decoding any text stays within its stated capacity, and encoding then decoding gives
// the bytes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/Base64.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<uint8_t> decoded(Base64DecodedCapacity(size));
    const size_t count = Base64Decode(text, size, decoded.data());
    if (count > decoded.size()) {
        std::abort();
    }

    std::vector<char> encoded(Base64EncodedLength(size) + 1, '\0');
    const size_t length = Base64Encode(data, size, encoded.data());
    std::vector<uint8_t> back(Base64DecodedCapacity(length));
    const size_t backCount = Base64Decode(encoded.data(), length, back.data());
    if (length != Base64EncodedLength(size) || backCount != size ||
        (size > 0 && std::memcmp(back.data(), data, size) != 0)) {
        std::abort();
    }
    return 0;
}
