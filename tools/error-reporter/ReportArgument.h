#pragma once

#include <string>
#include <string_view>

// The one argument the client's crash handler starts the reporter with: "SETTINGS,DUMP", the
// reporter's own settings file beside it and the dump's name in the current folder, split at the
// first comma. Each part is kept only when it is a plain file name (the dump's also of the form
// "Client_*.dmp"), so nothing the argument says reaches outside those two folders; a part that
// is not is left empty. Without a comma the argument is the dump when it looks like one, else
// the settings file.
struct ReportArgument {
    std::string settingsName;
    std::string dumpName;
};

ReportArgument ParseReportArgument(std::string_view argument);

// A name of a file in a folder: not empty, ".", or "..", no separator, no control byte, and not
// longer than a file name can be.
bool IsPlainFileName(std::string_view name);

// A plain file name of the form "Client_*.dmp", as the crash handler names its dumps.
bool IsDumpFileName(std::string_view name);
