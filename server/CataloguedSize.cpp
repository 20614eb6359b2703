#include "server/CataloguedSize.h"

#include <limits>
#include <string>

#include "server/JsonObject.h"
#include "server/RequestTarget.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;

bool NamesFile(const Json::Value& package, std::string_view filesUrl, std::string_view name) {
    const Json::Value* url = JsonMember(package, "url");
    if (url == nullptr || !url->isString()) {
        return false;
    }
    const std::string text = url->asString();
    return text.starts_with(filesUrl) &&
           RequestTarget::PercentDecode(std::string_view(text).substr(filesUrl.size())) == name;
}

std::optional<uint64_t> SizeOf(const Json::Value& package) {
    if (const Json::Value* bytes = JsonMember(package, "bytes"); bytes && bytes->isUInt64()) {
        return bytes->asUInt64();
    }
    const Json::Value* mebibytes = JsonMember(package, "size");
    if (mebibytes == nullptr || !mebibytes->isUInt64() ||
        mebibytes->asUInt64() > std::numeric_limits<uint64_t>::max() / kMiB) {
        return std::nullopt;
    }
    return mebibytes->asUInt64() * kMiB;
}

}  // namespace

std::optional<uint64_t> CataloguedSize(std::string_view catalogJson, std::string_view filesUrl,
                                       std::string_view name) {
    const auto root = ParseJsonObject(catalogJson);
    const Json::Value* games = root ? JsonMember(*root, "gameInfos") : nullptr;
    if (games == nullptr || !games->isArray()) {
        return std::nullopt;
    }
    for (const Json::Value& game : *games) {
        const Json::Value* packages = JsonMember(game, "packages");
        if (packages == nullptr || !packages->isArray()) {
            continue;
        }
        for (const Json::Value& package : *packages) {
            if (NamesFile(package, filesUrl, name)) {
                return SizeOf(package);
            }
        }
    }
    return std::nullopt;
}
