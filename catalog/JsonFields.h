#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>

// Reading members of server answers that may be malformed. Each returns false, and leaves the
// target alone, when the member cannot be read as asked; an absent number counts as 0.
namespace JsonFields {

// A required member that must be a JSON string; converted from narrow text to UTF-16.
bool ReadText(const Json::Value& object, const char* name, std::u16string& out);

// An optional member that must be a number within 32 bits when present.
bool ReadInt(const Json::Value& object, const char* name, int32_t& out);

// The elements of an optional array member: absent gives an empty array. False when the
// member is present but not an array.
bool ReadArray(const Json::Value& object, const char* name, const Json::Value*& out);

}  // namespace JsonFields
