#include "tools/autoupdater/UpdateRun.h"

#include "api/ApiClient.h"
#include "common/FolderSeparator.h"
#include "common/TextConvert.h"
#include "context/Settings.h"
#include "tools/autoupdater/StagedUpdate.h"
#include "tools/autoupdater/UpdatePlan.h"
#include "update/VersionAnswer.h"

namespace {

std::string Text(int32_t number) {
    return std::to_string(number);
}

// Fetches, swaps and records the planned version; every failure leaves the old files in place.
UpdaterExit Install(const AppContext& context, const UpdatePlan& plan, const UpdaterLog& log) {
    StagedUpdate update(Utf16ToAnsi(context.programDir), log);
    update.RemoveLeftovers();
    if (!update.Fetch(ApiClient(context), plan.files) || !update.Swap()) {
        log.Line("update to version " + Text(plan.version) + " failed; nothing was replaced");
        return kUpdateFailed;
    }
    if (!WriteSoftVersion(context.settingsPath, plan.version)) {
        update.Restore();
        log.Line("cannot record version " + Text(plan.version) + " in " +
                 Utf16ToAnsi(context.settingsPath) + "; the old files are back");
        return kUpdateFailed;
    }
    update.Keep();
    log.Line("updated to version " + Text(plan.version) + ": " + Text(plan.files.size()) +
             " files replaced; they take effect at the client's next start");
    return kUpdated;
}

}  // namespace

UpdaterExit RunUpdate(const AppContext& context, const UpdaterLog& log) {
    log.Line("version " + Text(context.version) + " (software " + Text(context.softId) +
             "), asking " + context.baseUrl);
    Json::Value answer;
    if (!QueryVersionAnswer(ApiClient(context), context.softId, context.version, answer)) {
        log.Line("the version query failed");
        return kUpdateFailed;
    }
    if (!OffersNewerVersion(answer, context.version)) {
        log.Line("version " + Text(context.version) + " is current; nothing to do");
        return kUpdated;
    }
    UpdatePlan plan;
    std::string error;
    ReservedNames reserved;
    const std::u16string& settings = context.settingsPath;
    reserved.settingsFile =
        Utf16ToAnsi(settings.substr(LastFolderSeparator(std::u16string_view(settings)) + 1));
    if (!PlanUpdate(answer, reserved, plan, error)) {
        log.Line("version " + Text(plan.version) + " refused: " + error);
        return kUpdateFailed;
    }
    for (const std::string& name : plan.skipped) {
        log.Line("skipped " + name + ": the client keeps the updater up to date");
    }
    log.Line("version " + Text(plan.version) + " offered with " + Text(plan.files.size()) +
             " files to replace");
    return Install(context, plan, log);
}
