#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The updater program in the client's folder, as the start-up version check reads and replaces
// it.

// The CRC-32 of the whole file; 0 when it does not exist, cannot be opened, is empty or cannot
// be read to its end.
uint32_t LocalFileCrc32(const std::string& path);

// Puts body in place of the updater at path. The bytes go to path + "_willdel" first; the old
// updater moves to path + "_backup", the new one takes its name and is made executable, and if
// that last move fails the old one moves back. Both side files are deleted whatever happened.
// With no updater at path nothing is put there: an install that came without one is not given
// one. True when the new updater is in place.
bool SwapInUpdater(const std::string& path, std::string_view body);
