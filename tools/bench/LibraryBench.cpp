// Prints the time from MSG_CATALOG_LOADED reaching the main window to the filled library page's
// first frame (tiles built from markup, laid out, painted and presented), for the demo catalogue
// and for a generated catalogue of 2,000 packages. Not a test: numbers depend on the machine.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "catalog/CatalogLoader.h"
#include "context/AppContext.h"
#include "context/Messages.h"
#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessInput.h"
#include "ui/main/CatalogPages.h"
#include "ui/main/MainWnd.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"

using Clock = std::chrono::steady_clock;

namespace {

constexpr size_t kLargeCatalog = 2000;

std::string ReadText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

int TileCount(CMainWnd& window) {
    uikit::CControlUI* grid = window.Manager().FindControl(u"gameTileLayout");
    auto* tiles = static_cast<uikit::CContainerUI*>(grid->GetInterface(u"Container"));
    return tiles->GetCount();
}

size_t LibraryCount(const GameCatalog& catalog) {
    size_t count = 0;
    for (const GamePackage& package : catalog) {
        count += package.InLibrary() ? 1 : 0;
    }
    return count;
}

// The time from the catalogue's message to the first frame that shows its tiles. The page never
// removes tiles, so a second catalogue adds to the first, as the window would show it.
double MeasureFill(CMainWnd& window) {
    const int wanted = TileCount(window) + static_cast<int>(LibraryCount(ProcessCatalog()));
    const Clock::time_point start = Clock::now();
    platform::PostWindowMessage(window.GetHWND(), MSG_CATALOG_LOADED, 1, 0);
    while (TileCount(window) < wanted) {
        platform::ProcessPendingMessages();
    }
    window.Manager().PaintWindow();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const char* demo = argc > 1 ? argv[1] : KAVRIN_DEMO_CATALOG;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    uikit::InitTextEngine();
    uikit::InstallLinkedSkin();
    platform::UseHeadless();

    auto* window = new CMainWnd(ProcessContext(), MakeCatalogPages);
    if (!window->CreateMain(platform::kStylePopup | platform::kStyleVisible)) {
        std::fprintf(stderr, "the main window did not build\n");
        return 1;
    }
    platform::headless::Bitmap frame;
    while (!platform::headless::LastPresented(window->GetHWND(), frame)) {
        platform::ProcessPendingMessages();
    }

    const std::string answer = ReadText(demo);
    GameCatalog& catalog = ProcessCatalog();
    FillCatalog(answer.data(), answer.size(), catalog);
    const size_t demoTiles = LibraryCount(catalog);
    std::printf("demo catalogue (%zu tiles): MSG_CATALOG_LOADED to first frame %.1f ms\n",
                demoTiles, MeasureFill(*window));

    const GameCatalog demoPackages = catalog;
    catalog.clear();
    while (catalog.size() < kLargeCatalog) {
        GamePackage package = demoPackages[catalog.size() % demoPackages.size()];
        package.label = std::u16string(1, u'1');  // every package gets a tile
        catalog.push_back(std::move(package));
    }
    std::printf("generated catalogue (%zu tiles): MSG_CATALOG_LOADED to first frame %.1f ms\n",
                kLargeCatalog, MeasureFill(*window));
    return 0;
}
