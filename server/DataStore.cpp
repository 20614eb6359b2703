#include "server/DataStore.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "server/CataloguedSize.h"

namespace {

constexpr std::string_view kBasePlaceholder = "{BASE}";
constexpr std::string_view kFilesFolder = "files/";

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return text.str();
}

}  // namespace

std::string SubstituteBase(std::string_view text, std::string_view baseUrl) {
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(kBasePlaceholder); at != std::string_view::npos;
         at = text.find(kBasePlaceholder, from)) {
        out.append(text.substr(from, at - from));
        out.append(baseUrl);
        from = at + kBasePlaceholder.size();
    }
    out.append(text.substr(from));
    return out;
}

bool IsSafeIdentifier(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool IsSafeDownloadName(std::string_view name) {
    if (name.empty() || name.find("..") != std::string_view::npos) {
        return false;
    }
    for (char c : name) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> DataStore::LoadAnswer(std::string_view relativePath) const {
    auto text = ReadWholeFile(root_ / relativePath);
    if (!text) {
        return std::nullopt;
    }
    return SubstituteBase(*text, baseUrl_);
}

std::string DataStore::OrdersFileFor(std::string_view uuid) const {
    if (IsSafeIdentifier(uuid)) {
        std::string own = "orders/" + std::string(uuid) + ".json";
        std::error_code error;
        if (std::filesystem::is_regular_file(root_ / own, error)) {
            return own;
        }
    }
    return "orders/default.json";
}

std::optional<std::filesystem::path> DataStore::DownloadPath(std::string_view name) const {
    if (!IsSafeDownloadName(name)) {
        return std::nullopt;
    }
    std::filesystem::path path = root_ / "files" / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return path;
}

std::optional<uint64_t> DataStore::GeneratedFileSize(std::string_view name) const {
    if (!IsSafeDownloadName(name)) {
        return std::nullopt;
    }
    const auto catalog = LoadAnswer("catalog.json");
    if (!catalog) {
        return std::nullopt;
    }
    return CataloguedSize(*catalog, baseUrl_ + std::string(kFilesFolder), name);
}
