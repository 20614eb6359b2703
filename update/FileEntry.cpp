#include "update/FileEntry.h"

#include <cstdlib>

#include "api/JsonAnswer.h"
#include "common/Crc.h"
#include "common/Sha256.h"

FileEntry ReadFileEntry(const Json::Value& element) {
    FileEntry entry;
    entry.name = StringMember(element, "name");
    entry.url = StringMember(element, "url");
    entry.crc32 = ParseExpectedCrc(StringMember(element, "crc32"));
    entry.sha256 = StringMember(element, "sha256");
    return entry;
}

uint32_t ParseExpectedCrc(std::string_view text) {
    // strtoull needs a terminated string; a zero byte inside ends the number as any other
    // non-digit would.
    const std::string terminated(text);
    return static_cast<uint32_t>(std::strtoull(terminated.c_str(), nullptr, 16) & 0xFFFFFFFFu);
}

bool BodyMatches(const FileEntry& entry, std::string_view body) {
    if (entry.crc32 != 0 && (body.empty() || Crc32(body.data(), body.size()) != entry.crc32)) {
        return false;
    }
    return entry.sha256.empty() || SameSha256(Sha256Hex(body.data(), body.size()), entry.sha256);
}
