#pragma once

#include <cstdint>
#include <string>

// The download folder window's line about the room left: "剩余:" and the free bytes in GiB with
// one decimal, then "G" (10.04 GiB reads 剩余:10.0G).
std::u16string FreeSpaceText(uint64_t freeBytes);
