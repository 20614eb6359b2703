#include "server/VersionDigests.h"

#include <json/json.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "common/Crc.h"
#include "common/Sha256.h"
#include "common/UrlJoin.h"
#include "server/JsonObject.h"
#include "server/RequestTarget.h"

namespace {

constexpr std::string_view kFilesFolder = "files/";

std::string StringOf(const Json::Value& object, const char* name) {
    const Json::Value* member = JsonMember(object, name);
    return member != nullptr && member->isString() ? member->asString() : std::string();
}

// The name under files/ that the address asks this server for, as the download side reads it.
std::optional<std::string> ServedName(const std::string& address, const DataStore& store) {
    const std::string folder = store.BaseUrl() + std::string(kFilesFolder);
    if (!address.starts_with(folder)) {
        return std::nullopt;
    }
    const std::string_view rest = std::string_view(address).substr(folder.size());
    return RequestTarget::PercentDecode(rest.substr(0, rest.find_first_of("?#")));
}

std::optional<std::string> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in || in.bad()) {
        return std::nullopt;
    }
    return bytes.str();
}

// Fills what the entry leaves out; true when it changed.
bool FillEntry(Json::Value& entry, const std::string& baseUrl, const DataStore& store) {
    const auto name = ServedName(JoinDownloadAddress(baseUrl, StringOf(entry, "url")), store);
    const auto path = name ? store.DownloadPath(*name) : std::nullopt;
    const auto bytes = path ? ReadBytes(*path) : std::nullopt;
    if (!bytes) {
        return false;
    }
    bool changed = false;
    if (!entry.isMember("crc32")) {
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08x", Crc32(bytes->data(), bytes->size()));
        entry["crc32"] = crc;
        changed = true;
    }
    if (!entry.isMember("sha256")) {
        entry["sha256"] = Sha256Hex(bytes->data(), bytes->size());
        changed = true;
    }
    return changed;
}

}  // namespace

std::string WithServedFileDigests(const std::string& json, const DataStore& store) {
    std::optional<Json::Value> root = ParseJsonObject(json);
    Json::Value* files = root && root->isMember("files") ? &(*root)["files"] : nullptr;
    if (files == nullptr || !files->isArray()) {
        return json;
    }
    const std::string baseUrl = StringOf(*root, "baseurl");
    bool changed = false;
    for (Json::Value& entry : *files) {
        changed = (entry.isObject() && FillEntry(entry, baseUrl, store)) || changed;
    }
    if (!changed) {
        return json;
    }
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    return Json::writeString(writer, *root);
}
