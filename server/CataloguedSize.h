#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The size in bytes that a catalogue answer gives the download called name, found by the
// packages' "url" being filesUrl followed by the name (escapes undone). A package's "bytes"
// member, when it is a whole number, is the exact size; otherwise its "size" counts MiB, as the
// client reads it. The first package that names the file counts. Nothing when the text is no
// catalogue or lists the name nowhere with a usable size.
std::optional<uint64_t> CataloguedSize(std::string_view catalogJson, std::string_view filesUrl,
                                       std::string_view name);
