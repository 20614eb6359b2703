#pragma once

#include <filesystem>
#include <string>

#include "tools/error-reporter/ReportArgument.h"
#include "tools/error-reporter/UploadTarget.h"

// What one run of the reporter is about: the dump, when the argument named one that is there,
// and where a report of it goes.
struct ReportSubject {
    std::string dumpName;        // empty when there is no dump to act on
    std::filesystem::path dump;  // its full path in the current folder
    UploadTarget target;
};

// The dump counts only when its name is a dump's and it is a regular file (not a link) in
// currentFolder. programDir is the reporter's folder, ending with "/"; clientSettings the
// client's settings file.
ReportSubject FindReportSubject(const ReportArgument& argument,
                                const std::filesystem::path& currentFolder,
                                const std::u16string& programDir,
                                const std::u16string& clientSettings, std::string_view builtInUrl);
