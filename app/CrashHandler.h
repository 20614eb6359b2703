#pragma once

#include "context/AppContext.h"

// Start-up step 1, before anything else can fail: a fault or an abort on any thread, or an
// exception nothing catches, then writes a dump into the current folder (Client_M-D_h-m-s.dmp),
// starts the crash-report program ErrorReporter from the program's folder with
// "sorvel.ini,<dump name>", and ends the process. False when the handler could not be set up.
bool InstallCrashHandler(const AppContext& context);
