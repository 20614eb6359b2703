#include "update/CheckForUpdate.h"

#include <cstdlib>
#include <string>

#include "api/ApiClient.h"
#include "common/FolderSeparator.h"
#include "common/TextConvert.h"
#include "context/WorkerJob.h"
#include "platform/ProgramStart.h"
#include "update/LocalUpdater.h"
#include "update/UpdaterOffer.h"
#include "update/VersionAnswer.h"

namespace {

std::string BareName(const std::u16string& path) {
    const std::u16string_view whole(path);
    return Utf16ToAnsi(whole.substr(LastFolderSeparator(whole) + 1));
}

// Fetches the updater the answer describes and puts it in place; true when the new one is there.
bool ReplaceUpdater(const ApiClient& client, const UpdaterOffer& offer,
                    const std::string& updaterPath) {
    char* body = nullptr;
    size_t length = 0;
    if (!client.Get(offer.address.c_str(), &body, &length)) {
        return false;
    }
    const std::string bytes(body == nullptr ? "" : body, length);
    std::free(body);
    return BodyMatches(offer.entry, bytes) && SwapInUpdater(updaterPath, bytes);
}

void BringUpdaterUpToDate(const AppContext& context, const Json::Value& answer) {
    const UpdaterOffer offer = ReadUpdaterOffer(answer, context.version);
    const std::string updaterPath = Utf16ToAnsi(context.updaterPath);
    switch (offer.kind) {
        case UpdaterOffer::Kind::Current:
        case UpdaterOffer::Kind::Refused:
            return;
        case UpdaterOffer::Kind::StartOnly:
            StartUpdater(context);
            return;
        case UpdaterOffer::Kind::Candidate:
            if (LocalFileCrc32(updaterPath) == offer.entry.crc32 ||
                ReplaceUpdater(ApiClient(context), offer, updaterPath)) {
                StartUpdater(context);
            }
            return;
    }
}

}  // namespace

bool StartUpdater(const AppContext& context) {
    return platform::StartProgram(Utf16ToAnsi(context.updaterPath),
                                  {BareName(context.settingsPath)});
}

int CheckForUpdate(void* job) {
    const AppContext& context = *static_cast<const WorkerJob*>(job)->context;
    Json::Value answer;
    if (QueryVersionAnswer(ApiClient(context), context.softId, context.version, answer)) {
        BringUpdaterUpToDate(context, answer);
    }
    return 0;
}
