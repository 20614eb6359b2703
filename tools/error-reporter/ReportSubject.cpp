#include "tools/error-reporter/ReportSubject.h"

#include <system_error>

ReportSubject FindReportSubject(const ReportArgument& argument,
                                const std::filesystem::path& currentFolder,
                                const std::u16string& programDir,
                                const std::u16string& clientSettings, std::string_view builtInUrl) {
    ReportSubject subject;
    subject.target =
        ReadUploadTarget(programDir, argument.settingsName, clientSettings, builtInUrl);
    if (!IsDumpFileName(argument.dumpName)) {
        return subject;
    }
    const std::filesystem::path dump = currentFolder / argument.dumpName;
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(dump, error))) {
        subject.dumpName = argument.dumpName;
        subject.dump = dump;
    }
    return subject;
}
