#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "update/FileEntry.h"

// What a version answer asks the updater to fetch: every listed file but the updater itself,
// each with the address it comes from. The answer is refused whole when any file could not be
// put in the program's folder under its own name, could not be fetched from the answer's server
// or could not be checked (neither a CRC-32 nor a SHA-256): a partial update would leave a
// client of no version at all.
struct PlannedFile {
    FileEntry entry;
    std::string address;
};

struct UpdatePlan {
    int32_t version = 0;
    std::vector<PlannedFile> files;
    std::vector<std::string> skipped;  // the updater's own entries
};

// A name that stays in the folder it is put in: not empty, no "/" or "\", no "..", no control
// character, and not "." itself.
bool IsPlainFileName(std::string_view name);

// Names the updater keeps for itself in the program's folder (the settings file it records the
// version in, its log, its temporary files): the server may not replace them.
struct ReservedNames {
    std::string settingsFile;
    bool Contains(std::string_view name) const;
};

// Reads a "SUCCESS" answer that offers a newer version. False, with the reason, when the answer
// is refused.
bool PlanUpdate(const Json::Value& answer, const ReservedNames& reserved, UpdatePlan& plan,
                std::string& error);
