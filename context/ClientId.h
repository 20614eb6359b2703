#pragma once

#include <string>
#include <string_view>

// The client identifier: 16 characters of URL-safe Base64 over 12 bytes (three runtime rand()
// values seeded with the tick count, the creation time in seconds, and a CRC-16/XMODEM of
// those ten bytes), all little-endian.

std::string GenerateClientId();
bool IsValidClientId(std::string_view text);
