#pragma once

#include <json/value.h>

#include <cstdint>
#include <optional>

#include "api/ApiClient.h"

// The version query that the client makes at every start and the updater makes again.

// Calls the server and parses its answer. True only for an answer whose "status" is exactly
// "SUCCESS"; a failed call, text that is no JSON, or any other status is false.
bool QueryVersionAnswer(const ApiClient& client, int32_t softId, int32_t version,
                        Json::Value& answer);

// The answer's "version" when it is a whole number in range (not text, no fraction); nothing
// otherwise.
std::optional<int32_t> OfferedVersion(const Json::Value& answer);

// True when the answer offers a version newer than the current one.
bool OffersNewerVersion(const Json::Value& answer, int32_t currentVersion);
