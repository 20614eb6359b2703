#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>
#include <string_view>

// One element of the version answer's "files": a file of the newer version, where to fetch it
// and what its bytes must be.
struct FileEntry {
    std::string name;
    std::string url;
    uint32_t crc32 = 0;  // 0 when the answer gives none that parses: any body then passes it
    std::string sha256;  // as the answer gives it; empty when it names none
};

// The entry's members; a member that is missing or not a string reads as empty.
FileEntry ReadFileEntry(const Json::Value& element);

// The low 32 bits of hexadecimal text (an optional "0x" and leading blanks allowed), 0 when it
// does not start with a hexadecimal number.
uint32_t ParseExpectedCrc(std::string_view text);

// Whether a fetched body is the file the entry describes. A CRC of 0 asks for nothing; any other
// needs a non-empty body with that CRC-32. A CRC-32 is easily forged and proves nothing about
// where the bytes came from, so a "sha256" the entry names must match as well, and one that is
// no digest at all refuses every body.
bool BodyMatches(const FileEntry& entry, std::string_view body);
