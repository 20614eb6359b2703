#pragma once

#include <json/json.h>

#include <optional>
#include <string_view>

// The server reads its demo data's JSON in one way: a text is usable only as a whole object,
// and members are looked up only in objects, since the library throws for a lookup in anything
// else.
std::optional<Json::Value> ParseJsonObject(std::string_view text);

// The member called name, or null when value is no object or has no such member.
const Json::Value* JsonMember(const Json::Value& value, const char* name);
