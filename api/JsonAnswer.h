#pragma once

#include <json/value.h>

#include <cstddef>
#include <string_view>

// Parses a server answer with the JSON library's default reader. True only when the parser
// succeeds and reports no error text.
bool ParseJsonAnswer(const char* text, size_t length, Json::Value& root);

// The text of a string member of an object, or empty when the value is not an object or the
// member is missing or not a string. Never throws.
std::string_view StringMember(const Json::Value& object, const char* name);

// True when the answer's "status" is exactly "SUCCESS".
bool IsSuccessAnswer(const Json::Value& root);

// True when an opened answer text may be handed to a caller: JSON whose "status" is "SUCCESS"
// and that holds no failure marker anywhere, since the envelope lets an answer with that marker
// through without its checks.
bool IsSuccessfulCallAnswer(const char* text, size_t length);
