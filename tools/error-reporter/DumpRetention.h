#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A crash leaves a dump in its current folder every time; the reporter keeps the folder from
// filling up with them.
constexpr size_t kKeptDumps = 5;

// Deletes the folder's older dumps ("Client_*.dmp" regular files, by modification time, the
// newest first) so that `keep` remain, the current dump always among them however old it is.
// Other files, folders and links are left alone, as is anything that cannot be read or
// deleted. Returns the names deleted.
std::vector<std::string> PruneOldDumps(const std::filesystem::path& folder,
                                       std::string_view currentDump, size_t keep = kKeptDumps);
