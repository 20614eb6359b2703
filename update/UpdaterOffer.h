#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "update/FileEntry.h"

// What a version answer asks of the client about its updater program, before any file is
// looked at: the decisions of the start-up version check that need no network.
struct UpdaterOffer {
    enum class Kind {
        Current,    // no newer version: nothing to do
        StartOnly,  // a newer version, but no updater file listed: start the one there is
        Refused,    // an updater file whose address cannot be trusted: do nothing
        Candidate,  // an updater file to compare with the local one
    };
    Kind kind = Kind::Current;
    FileEntry entry;      // for Candidate
    std::string address;  // for Candidate: where its bytes are fetched
};

// "AutoUpdater.exe" or "autoupdater.exe", exactly: the names the answer gives the updater.
bool IsUpdaterEntryName(std::string_view name);

// Reads a "SUCCESS" answer for a client at currentVersion. The first element of "files" with an
// updater name describes the updater; a "files" that is missing or empty offers none.
UpdaterOffer ReadUpdaterOffer(const Json::Value& answer, int32_t currentVersion);
