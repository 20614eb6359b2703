#include "api/JsonAnswer.h"

#include <json/reader.h>

#include <memory>
#include <string>

#include "api/RequestEnvelope.h"

bool ParseJsonAnswer(const char* text, size_t length, Json::Value& root) {
    if (text == nullptr) {
        return false;
    }
    Json::CharReaderBuilder builder;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        return reader->parse(text, text + length, &root, &errors) && errors.empty();
    } catch (const std::exception&) {
        // Deeply nested input makes the reader throw instead of reporting an error.
        return false;
    }
}

std::string_view StringMember(const Json::Value& object, const char* name) {
    if (!object.isObject()) {
        return {};
    }
    const Json::Value* member = object.find(name, name + std::char_traits<char>::length(name));
    if (member == nullptr || !member->isString()) {
        return {};
    }
    const char* begin = nullptr;
    const char* end = nullptr;
    member->getString(&begin, &end);
    return std::string_view(begin, static_cast<size_t>(end - begin));
}

bool IsSuccessAnswer(const Json::Value& root) {
    return StringMember(root, "status") == "SUCCESS";
}

bool IsSuccessfulCallAnswer(const char* text, size_t length) {
    Json::Value root;
    return text != nullptr &&
           std::string_view(text, length).find(RequestEnvelope::kFailureMarker) ==
               std::string_view::npos &&
           ParseJsonAnswer(text, length, root) && IsSuccessAnswer(root);
}
