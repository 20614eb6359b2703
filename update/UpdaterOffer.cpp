#include "update/UpdaterOffer.h"

#include <optional>

#include "api/JsonAnswer.h"
#include "update/DownloadAddress.h"
#include "update/VersionAnswer.h"

namespace {

const Json::Value* FindUpdaterEntry(const Json::Value& answer) {
    const Json::Value* files = answer.find("files", "files" + 5);
    if (files == nullptr || !files->isArray()) {
        return nullptr;
    }
    for (const Json::Value& element : *files) {
        if (IsUpdaterEntryName(StringMember(element, "name"))) {
            return &element;
        }
    }
    return nullptr;
}

}  // namespace

bool IsUpdaterEntryName(std::string_view name) {
    return name == "AutoUpdater.exe" || name == "autoupdater.exe";
}

UpdaterOffer ReadUpdaterOffer(const Json::Value& answer, int32_t currentVersion) {
    UpdaterOffer offer;
    if (!OffersNewerVersion(answer, currentVersion)) {
        return offer;
    }
    const Json::Value* element = FindUpdaterEntry(answer);
    if (element == nullptr) {
        offer.kind = UpdaterOffer::Kind::StartOnly;
        return offer;
    }
    offer.entry = ReadFileEntry(*element);
    const std::optional<std::string> address = DownloadAddress(
        StringMember(answer, "baseurl"), offer.entry.url, !offer.entry.sha256.empty());
    if (!address) {
        offer.kind = UpdaterOffer::Kind::Refused;
        return offer;
    }
    offer.kind = UpdaterOffer::Kind::Candidate;
    offer.address = *address;
    return offer;
}
