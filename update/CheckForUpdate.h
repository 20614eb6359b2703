#pragma once

#include "context/AppContext.h"

// Start-up worker (job: a WorkerJob whose context it reads; no target): asks the server for the
// current version once and, when there is a newer one, brings the updater program up to date
// and starts it with the settings file's name. The updater then fetches the new version's
// files. Shows nothing, posts nothing, and always returns 0.
int CheckForUpdate(void* job);

// Starts the updater at context.updaterPath, in the program's folder, with the settings file's
// bare name as its one argument. False when it cannot be started.
bool StartUpdater(const AppContext& context);
