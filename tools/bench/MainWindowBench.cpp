// Prints the time from the start of this process to the main window's first presented frame
// (text engine, skin, markup, layout and paint on the in-memory window system), and the time of
// a full repaint of the main window. Not a test: numbers depend on the machine.
#include <chrono>
#include <cstdio>

#include "context/AppContext.h"
#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessInput.h"
#include "ui/main/MainWnd.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"

using Clock = std::chrono::steady_clock;

namespace {

const Clock::time_point kProcessStart = Clock::now();

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

constexpr int kRepaints = 50;

}  // namespace

int main() {
    uikit::InitTextEngine();
    uikit::InstallLinkedSkin();
    platform::UseHeadless();
    auto* window = new CMainWnd(ProcessContext(), {});
    if (!window->CreateMain(platform::kStylePopup | platform::kStyleVisible)) {
        std::fprintf(stderr, "the main window did not build\n");
        return 1;
    }
    window->CenterWindow();
    platform::headless::Bitmap frame;
    while (!platform::headless::LastPresented(window->GetHWND(), frame)) {
        platform::ProcessPendingMessages();
    }
    std::printf("process start to first presented main window frame: %.1f ms\n",
                Milliseconds(kProcessStart));

    const Clock::time_point repaint = Clock::now();
    for (int i = 0; i < kRepaints; ++i) {
        // Every control laid out again, then the whole window drawn and presented.
        window->Manager().GetRoot()->NeedUpdate();
        window->Manager().NeedUpdate();
        window->Manager().PaintWindow();
    }
    std::printf("full repaint of the 1024x720 main window: %.2f ms\n",
                Milliseconds(repaint) / kRepaints);
    return 0;
}
