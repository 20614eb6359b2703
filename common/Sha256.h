#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// SHA-256 digests as the version answer names them: 64 hexadecimal digits.

// The digest of the bytes in lower-case hexadecimal; empty if the digest cannot be made.
std::string Sha256Hex(const void* bytes, size_t count);

// True for exactly 64 hexadecimal digits, in either case.
bool IsSha256Hex(std::string_view text);

// True when the hexadecimal digest text names the same digest, whatever the case of its digits.
bool SameSha256(std::string_view left, std::string_view right);
