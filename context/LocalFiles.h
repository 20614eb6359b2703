#pragma once

#include "context/AppContext.h"
#include "platform/LocalFileFolders.h"

// Points settingsDir, settingsPath and recordPath at the folders given. Paths that would not fit
// kPathCapacity leave pathsFit false, as a too long program folder does.
void PlaceLocalFiles(AppContext& context, const platform::LocalFileFolders& folders);

// Before the settings are first read: a system-wide install gets the user's folders (made
// private to the user), and a player's first start begins from the install's own kavrin.ini in
// the program's folder, the defaults its operator shipped. Files beside the program need
// nothing. False when the folders cannot be made; the files then fail silently, as an
// unwritable settings file always has.
bool PrepareLocalFiles(const AppContext& context);
