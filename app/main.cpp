// The process entry: the crash handler first, then the text engine and the skin, the start-up
// sequence, the message loop, and an end that no worker still running can disturb.
#include <cstdlib>
#include <cstring>

#include "app/AppStartupSystem.h"
#include "app/CrashHandler.h"
#include "app/Startup.h"
#include "context/AppContext.h"
#include "platform/MessageLoop.h"
#include "platform/Process.h"
#include "platform/WindowSystem.h"
#include "ui/main/CatalogPages.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"

namespace {

// KAVRIN_WINDOW_SYSTEM=headless runs the program on the in-memory window system, for tests of
// the whole process where there is no desktop.
void ChooseWindowSystem() {
    const char* choice = std::getenv("KAVRIN_WINDOW_SYSTEM");
    if (choice != nullptr && std::strcmp(choice, "headless") == 0) {
        platform::UseHeadless();
    }
}

}  // namespace

int main() {
    // The context is built before main, from the executable's path alone.
    AppContext& context = ProcessContext();
    InstallCrashHandler(context);
    uikit::InitTextEngine();
    ChooseWindowSystem();
    // An archive that cannot be read leaves the library an empty one; the main window then
    // fails to build and start-up ends.
    uikit::InstallLinkedSkin();
    AppStartupSystem system(context, MakeCatalogPages);
    if (InitApplication(system, context)) {
        platform::RunMessageLoop();
    }
    // Workers may still wait on the network or write their containers: end the process at
    // once rather than run static destructors under them.
    platform::ExitProcess(0);
}
