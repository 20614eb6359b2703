// The engine's reading of a 206 answer's Content-Range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/ContentRange.h"
#include "fuzz/support/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto range = dlengine::ParseContentRange(fuzzinput::AsText(data, size));
    if (range && (range->first < 0 || range->last < range->first ||
                  (range->total != -1 && range->last >= range->total))) {
        std::abort();
    }
    return 0;
}
