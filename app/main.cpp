// The process entry: the text engine and the skin first, then the start-up sequence, the
// message loop, and an end that no worker still running can disturb.
#include <cstdlib>
#include <cstring>

#include "app/AppStartupSystem.h"
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
    uikit::InitTextEngine();
    ChooseWindowSystem();
    // An archive that cannot be read leaves the library an empty one; the main window then
    // fails to build and start-up ends.
    uikit::InstallLinkedSkin();
    AppContext& context = ProcessContext();
    AppStartupSystem system(context, MakeCatalogPages);
    if (InitApplication(system, context)) {
        platform::RunMessageLoop();
    }
    // Workers may still wait on the network or write their containers: end the process at
    // once rather than run static destructors under them.
    platform::ExitProcess(0);
}
