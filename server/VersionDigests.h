#pragma once

#include <string>

#include "server/DataStore.h"

// The version answer as the server sends it. Every entry of "files" whose address (its "url"
// joined to "baseurl" as the client joins them) is a file this server keeps in its data folder's
// "files/" gets that file's "crc32" (8 lower-case hexadecimal digits) and "sha256" (64), so the
// answer always describes the bytes really served. A member that version.json writes out itself
// is served as written, even when it is wrong: tests use that to offer a damaged file. Text that
// is no JSON object with a "files" array, and entries naming no such file, are left as they are.
std::string WithServedFileDigests(const std::string& json, const DataStore& store);
