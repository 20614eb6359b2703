#include "update/VersionAnswer.h"

#include <cstdio>
#include <string>

#include "api/Endpoints.h"
#include "api/JsonAnswer.h"

bool QueryVersionAnswer(const ApiClient& client, int32_t softId, int32_t version,
                        Json::Value& answer) {
    char path[128];
    std::snprintf(path, sizeof path, kQueryVersionPath, softId, version);
    std::string text;
    return CallForText(client, path, text) && ParseJsonAnswer(text.data(), text.size(), answer) &&
           IsSuccessAnswer(answer);
}

std::optional<int32_t> OfferedVersion(const Json::Value& answer) {
    if (!answer.isObject()) {
        return std::nullopt;
    }
    const Json::Value* version = answer.find("version", "version" + 7);
    // asInt throws for text and for numbers out of range, and would cut a fraction silently;
    // isInt holds for whole numbers in range only.
    if (version == nullptr || !version->isInt()) {
        return std::nullopt;
    }
    return version->asInt();
}

bool OffersNewerVersion(const Json::Value& answer, int32_t currentVersion) {
    const std::optional<int32_t> offered = OfferedVersion(answer);
    return offered && *offered > currentVersion;
}
