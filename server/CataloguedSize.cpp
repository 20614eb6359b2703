#include "server/CataloguedSize.h"

#include <json/json.h>

#include <limits>
#include <memory>
#include <string>

#include "server/RequestTarget.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;

std::optional<Json::Value> Parse(std::string_view text) {
    Json::Value root;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors) ||
        !root.isObject()) {
        return std::nullopt;
    }
    return root;
}

// Members are looked up only in objects: this library throws for a lookup in anything else.
const Json::Value* Member(const Json::Value& object, const char* name) {
    return object.isObject() ? object.find(name, name + std::char_traits<char>::length(name))
                             : nullptr;
}

bool NamesFile(const Json::Value& package, std::string_view filesUrl, std::string_view name) {
    const Json::Value* url = Member(package, "url");
    if (url == nullptr || !url->isString()) {
        return false;
    }
    const std::string text = url->asString();
    return text.starts_with(filesUrl) &&
           RequestTarget::PercentDecode(std::string_view(text).substr(filesUrl.size())) == name;
}

std::optional<uint64_t> SizeOf(const Json::Value& package) {
    if (const Json::Value* bytes = Member(package, "bytes"); bytes && bytes->isUInt64()) {
        return bytes->asUInt64();
    }
    const Json::Value* mebibytes = Member(package, "size");
    if (mebibytes == nullptr || !mebibytes->isUInt64() ||
        mebibytes->asUInt64() > std::numeric_limits<uint64_t>::max() / kMiB) {
        return std::nullopt;
    }
    return mebibytes->asUInt64() * kMiB;
}

}  // namespace

std::optional<uint64_t> CataloguedSize(std::string_view catalogJson, std::string_view filesUrl,
                                       std::string_view name) {
    const auto root = Parse(catalogJson);
    const Json::Value* games = root ? Member(*root, "gameInfos") : nullptr;
    if (games == nullptr || !games->isArray()) {
        return std::nullopt;
    }
    for (const Json::Value& game : *games) {
        const Json::Value* packages = Member(game, "packages");
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
