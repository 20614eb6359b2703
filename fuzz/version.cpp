// The version answer: the offered version, the updater's entry and every file entry.
#include <cstddef>
#include <cstdint>

#include <json/json.h>

#include "api/JsonAnswer.h"
#include "update/FileEntry.h"
#include "update/UpdaterOffer.h"
#include "update/VersionAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Json::Value answer;
    if (!ParseJsonAnswer(reinterpret_cast<const char*>(data), size, answer)) {
        return 0;
    }
    volatile bool newer = OffersNewerVersion(answer, 101) && OfferedVersion(answer).has_value();
    (void)newer;
    if (IsSuccessAnswer(answer)) {
        const UpdaterOffer offer = ReadUpdaterOffer(answer, 101);
        volatile size_t length = offer.address.size() + offer.entry.name.size();
        (void)length;
    }
    const Json::Value* files = answer.isObject() ? answer.find("files", "files" + 5) : nullptr;
    if (files != nullptr && files->isArray()) {
        for (const Json::Value& element : *files) {
            const FileEntry entry = ReadFileEntry(element);
            volatile bool matches = BodyMatches(entry, entry.name);
            (void)matches;
        }
    }
    return 0;
}
