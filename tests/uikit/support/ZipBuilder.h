#pragma once

#include <zip.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempDir.h"

// Writes a zip archive with the given members through libzip and returns its bytes.
inline std::vector<uint8_t> MakeZip(const std::vector<std::pair<std::string, std::string>>& members,
                                    bool stored = false) {
    TempDir dir;
    const std::string path = (dir / "skin.zip").string();
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, content] : members) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (stored) {
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
        }
    }
    zip_close(archive);
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}
