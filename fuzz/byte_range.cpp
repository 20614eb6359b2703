// The server's "Range" header: whatever the header says, a partial answer lies inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/support/FuzzInput.h"
#include "server/ByteRange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Sizes up to 2^48: larger than any file, small enough to leave room for the header text.
    const uint64_t fileSize = fuzzinput::TakeNumber(data, size) & ((uint64_t(1) << 48) - 1);
    const ByteRange range = ParseByteRange(fuzzinput::AsText(data, size), fileSize);
    if (range.kind == ByteRange::Kind::Partial &&
        (range.length == 0 || range.first >= fileSize || range.length > fileSize - range.first)) {
        std::abort();
    }
    volatile size_t length = range.ContentRange(fileSize).size();
    (void)length;
    return 0;
}
