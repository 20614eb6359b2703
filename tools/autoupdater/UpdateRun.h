#pragma once

#include <string>

#include "context/AppContext.h"
#include "tools/autoupdater/UpdaterLog.h"

// The exit codes of the updater.
enum UpdaterExit : int {
    kUpdated = 0,       // the new version is installed, or there was nothing to do
    kUpdateFailed = 1,  // nothing was replaced: the old version stays
    kBadStart = 2,      // wrong arguments or a program folder it cannot work in
};

// One update of the client in context.programDir, whose settings file is context.settingsPath:
// the version query, the fetch of every file, the swap and the new version in the settings.
UpdaterExit RunUpdate(const AppContext& context, const UpdaterLog& log);
