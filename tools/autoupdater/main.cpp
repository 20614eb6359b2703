// AutoUpdater: brings the client in its own folder up to the version the server offers. The
// client starts it with its settings file's name (looked for where the client keeps it); it may
// be started by hand from anywhere.
//
//     AutoUpdater kavrin.ini
//
// KAVRIN_UPDATE_BASE_URL, when set, names another https server than the one the client was
// built for (a staging server of the operator). Its answers must still pass the built-in key and
// CA checks, so it can point the updater only at a server of the same operator. It is read from
// the environment rather than from the settings file on purpose: the client must keep that file
// writable for whoever runs it, and a key there would let anyone who can write that one file
// choose what replaces the programs of the whole folder.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "api/ApiClient.h"
#include "common/TextConvert.h"
#include "context/AppContext.h"
#include "context/Settings.h"
#include "tools/autoupdater/UpdatePlan.h"
#include "tools/autoupdater/UpdateRun.h"
#include "tools/autoupdater/UpdaterLog.h"
#include "tools/autoupdater/UpdaterNames.h"

namespace {

constexpr const char* kBaseUrlVariable = "KAVRIN_UPDATE_BASE_URL";

// The compiled-in base URL, or the operator's own one; empty when that one is unusable.
std::string ChooseBaseUrl() {
    const char* chosen = std::getenv(kBaseUrlVariable);
    if (chosen == nullptr || *chosen == '\0') {
        return KAVRIN_BASE_URL;
    }
    std::string url = chosen;
    if (!url.ends_with('/')) {
        url += '/';
    }
    return url.starts_with("https://") && url.size() < kBaseUrlCapacity ? url : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !IsPlainFileName(argv[1])) {
        std::fprintf(stderr, "usage: AutoUpdater SETTINGS-FILE-NAME (a file beside the program)\n");
        return kBadStart;
    }
    AppContext& context = ProcessContext();
    if (!context.pathsFit) {
        std::fprintf(stderr, "AutoUpdater: the program folder path is too long\n");
        return kBadStart;
    }
    const UpdaterLog log(Utf16ToAnsi(context.programDir) + std::string(kUpdaterLogName));
    // The named file in the folder the client keeps its settings in: beside the program, or the
    // user's own folder when the program is installed system-wide.
    context.settingsPath = context.settingsDir + AnsiToUtf16(argv[1]);
    const SoftIdentity identity = PeekSoftIdentity(context.settingsPath);
    context.softId = identity.softId;
    context.version = identity.version;
    context.baseUrl = ChooseBaseUrl();
    if (context.baseUrl.empty()) {
        log.Line(std::string(kBaseUrlVariable) + " is no https address; nothing was done");
        return kBadStart;
    }
    if (!InitHttpLibrary()) {
        log.Line("the HTTP library cannot be set up; nothing was done");
        return kUpdateFailed;
    }
    return RunUpdate(context, log);
}
