// The dump reader: parsing and printing what it accepts.
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>

#include "tools/dump-reader/DumpParser.h"
#include "tools/dump-reader/DumpText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dumpreader::Dump dump;
    std::string error;
    if (dumpreader::ParseDump(std::span<const uint8_t>(data, size), dump, error)) {
        std::ostringstream out;
        dumpreader::PrintDump(dump, out);
    }
    return 0;
}
