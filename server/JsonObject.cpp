#include "server/JsonObject.h"

#include <memory>
#include <string>

std::optional<Json::Value> ParseJsonObject(std::string_view text) {
    Json::Value root;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors) ||
        !root.isObject()) {
        return std::nullopt;
    }
    return root;
}

const Json::Value* JsonMember(const Json::Value& value, const char* name) {
    return value.isObject() ? value.find(name, name + std::char_traits<char>::length(name))
                            : nullptr;
}
