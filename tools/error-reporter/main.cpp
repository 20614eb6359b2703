// ErrorReporter: started by the client's crash handler from the program's folder with one
// argument, "SETTINGS,DUMP", in the crashed client's current folder. Shows the crash report
// window until the player closes it or restarts Kavrin.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "api/ApiClient.h"
#include "context/AppContext.h"
#include "platform/Process.h"
#include "platform/WindowSystem.h"
#include "tools/error-reporter/DumpRetention.h"
#include "tools/error-reporter/ErrorReporterWnd.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"

namespace {

// KAVRIN_WINDOW_SYSTEM=headless, as for the client: the in-memory window system, for tests of
// the whole process where there is no desktop.
void ChooseWindowSystem() {
    const char* choice = std::getenv("KAVRIN_WINDOW_SYSTEM");
    if (choice != nullptr && std::strcmp(choice, "headless") == 0) {
        platform::UseHeadless();
    }
}

ReportSubject SubjectOf(const char* argument) {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return FindReportSubject(ParseReportArgument(argument != nullptr ? argument : ""), here,
                             ProcessContext().programDir, ProcessContext().settingsPath,
                             KAVRIN_BASE_URL);
}

}  // namespace

int main(int argc, char** argv) {
    uikit::InitTextEngine();
    ChooseWindowSystem();
    uikit::InstallLinkedSkin();
    // Without the library the window still offers the restart and the folder.
    InitHttpLibrary();
    const ReportSubject subject = SubjectOf(argc > 1 ? argv[1] : nullptr);
    // Only a folder that holds the dump just written is known to be one where dumps pile up.
    if (!subject.dumpName.empty()) {
        PruneOldDumps(subject.dump.parent_path(), subject.dumpName);
    }
    ErrorReporterWnd window(subject);
    window.RunOver(0, ErrorReporterWnd::kTitle);
    // An upload still under way ends with the process rather than run destructors under it.
    platform::ExitProcess(0);
}
