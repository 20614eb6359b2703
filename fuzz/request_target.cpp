// The server's reading of a request target: slashes, percent escapes and query parameters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/support/FuzzInput.h"
#include "server/RequestTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view target = fuzzinput::AsText(data, size);
    const std::string path =
        RequestTarget::CollapseLeadingSlashes(target.substr(0, target.find('?')));
    if (path.size() > target.size() || path.starts_with("//")) {
        std::abort();
    }
    if (RequestTarget::PercentDecode(target).size() > target.size()) {
        std::abort();
    }
    const RequestTarget::Params params = RequestTarget::ParseQuery(RequestTarget::QueryOf(target));
    for (const auto& [name, value] : params) {
        if (RequestTarget::Find(params, name) == std::nullopt) {
            std::abort();
        }
    }
    return 0;
}
