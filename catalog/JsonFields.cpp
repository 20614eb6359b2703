#include "catalog/JsonFields.h"

#include "api/JsonAnswer.h"
#include "common/TextConvert.h"

namespace JsonFields {
namespace {

const Json::Value* Member(const Json::Value& object, const char* name) {
    if (!object.isObject()) {
        return nullptr;
    }
    return object.find(name, name + std::char_traits<char>::length(name));
}

}  // namespace

bool ReadText(const Json::Value& object, const char* name, std::u16string& out) {
    const Json::Value* member = Member(object, name);
    if (member == nullptr || !member->isString()) {
        return false;
    }
    out = AnsiToUtf16(StringMember(object, name));
    return true;
}

bool ReadInt(const Json::Value& object, const char* name, int32_t& out) {
    if (!object.isObject()) {
        return false;
    }
    const Json::Value* member = Member(object, name);
    if (member == nullptr) {
        out = 0;
        return true;
    }
    if (!member->isInt()) {
        return false;
    }
    out = member->asInt();
    return true;
}

bool ReadArray(const Json::Value& object, const char* name, const Json::Value*& out) {
    static const Json::Value kEmpty(Json::arrayValue);
    if (!object.isObject()) {
        return false;
    }
    const Json::Value* member = Member(object, name);
    if (member == nullptr) {
        out = &kEmpty;
        return true;
    }
    if (!member->isArray()) {
        return false;
    }
    out = member;
    return true;
}

}  // namespace JsonFields
