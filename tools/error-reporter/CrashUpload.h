#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tools/error-reporter/UploadTarget.h"

// One crash dump sent to the API server as the body of a POST, its name and the installation's
// ids in the query.
enum class UploadOutcome {
    Sent,          // the server answered {"status":"SUCCESS"}
    DumpMissing,   // no regular file to read (gone, a link, unreadable)
    DumpTooLarge,  // above kMaxCrashReportBytes, or empty: not a dump the server takes
    Failed,        // no connection, a refusal, or any other answer
};

// "client/crashreport?softid=S&version=V&uuid=ID&dump=NAME", the values escaped; uuid only when
// the target has a client id.
std::string CrashReportPath(const UploadTarget& target, std::string_view dumpName);

// Reads the dump and posts it, blocking until the server has answered or the transfer failed.
// The HTTP library must be set up (InitHttpLibrary).
UploadOutcome UploadDump(const UploadTarget& target, const std::filesystem::path& dump,
                         std::string_view dumpName);
