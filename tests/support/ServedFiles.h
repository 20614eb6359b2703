#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

// A data folder for kavrin-server whose catalogue lists made-up download files of the given
// names (".zip" is added) and exact sizes; the server then serves them as files/NAME.zip.
inline void WriteServedCatalog(const std::filesystem::path& data,
                               const std::vector<std::pair<std::string, int64_t>>& files) {
    std::filesystem::create_directories(data / "files");
    std::string catalog = R"({"status":"SUCCESS","gameInfos":[{"packages":[)";
    for (size_t i = 0; i < files.size(); ++i) {
        catalog += (i ? "," : "") + std::string(R"({"url":"{BASE}files/)") + files[i].first +
                   R"(.zip","bytes":)" + std::to_string(files[i].second) + "}";
    }
    catalog += "]}]}";
    std::ofstream(data / "catalog.json") << catalog;
}
