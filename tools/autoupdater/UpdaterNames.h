#pragma once

#include <string_view>

// The names the updater gives its own files in the program's folder.

inline constexpr std::string_view kUpdaterLogName = "AutoUpdater.log";
// A fetched file waits under its name with this suffix until every file is there.
inline constexpr std::string_view kStagedSuffix = ".autoupdate-new";
// While the files are swapped, the old one stays reachable under this suffix.
inline constexpr std::string_view kBackupSuffix = ".autoupdate-old";
