// Speed of the control tree: building 1,000 game tiles from markup, laying them out, painting
// the window, and laying out again after one tile changed.
#include <chrono>
#include <cstdio>
#include <string>

#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/manager/WindowManagerUI.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// A main-window-like page: a tile layout of game tiles, each a cover, a caption and a button.
std::u16string TileMarkup(int tiles) {
    std::u16string markup =
        u"<Window size=\"1024,720\"><VerticalLayout bkcolor=\"#FFF4F6F8\">"
        u"<TileLayout name=\"tiles\" itemsize=\"190,270\" columns=\"4\" childpadding=\"12\" "
        u"childvpadding=\"17\" vscrollbar=\"true\" inset=\"15,28,0,0\">";
    for (int i = 0; i < tiles; ++i) {
        markup +=
            u"<VerticalLayout bkcolor=\"#FFFFFFFF\" bordercolor=\"#FFD0D7DE\" bordersize=\"1\">"
            u"<Control height=\"200\" bkcolor=\"#FF8899AA\"/>"
            u"<Label text=\"魔兽争霸3：冰封王座\" height=\"30\" font=\"160\" "
            u"textcolor=\"#FF333333\" "
            u"endellipsis=\"true\" textpadding=\"8,0,8,0\"/>"
            u"<HorizontalLayout height=\"40\" childvalign=\"vcenter\"><Control/>"
            u"<Button text=\"下载\" width=\"80\" height=\"26\" bkcolor=\"#FF1B7AFF\" "
            u"textcolor=\"#FFFFFFFF\" align=\"center\"/><Control width=\"8\"/>"
            u"</HorizontalLayout></VerticalLayout>";
    }
    markup += u"</TileLayout></VerticalLayout></Window>";
    return markup;
}

}  // namespace

void BenchControlTree() {
    uikit::InitTextEngine();
    const int tiles = 1000;
    const std::u16string markup = TileMarkup(tiles);
    uikit::CWindowManagerUI manager;
    manager.Init(1);

    auto start = Clock::now();
    uikit::CMarkupBuilderUI builder;
    uikit::CControlUI* root = builder.Create(markup, {}, nullptr, &manager);
    if (root == nullptr) {
        std::printf("control tree: the markup did not build\n");
        return;
    }
    manager.AttachDialog(root);
    const double build = Milliseconds(start);

    start = Clock::now();
    manager.LayoutIfNeeded();
    const double layout = Milliseconds(start);

    uikit::Canvas canvas(1024, 720);
    start = Clock::now();
    manager.Paint(canvas);
    const double paint = Milliseconds(start);

    auto* grid = static_cast<uikit::CContainerUI*>(manager.FindControl(u"tiles"));
    auto* tile = static_cast<uikit::CContainerUI*>(grid->GetItemAt(tiles / 2));
    const int rounds = 20;
    start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        tile->GetItemAt(0)->SetFixedHeight(200 + (i % 2));
        manager.LayoutIfNeeded();
    }
    const double relayout = Milliseconds(start) / rounds;

    // A tile that comes and goes moves every tile after it: the whole grid is laid out again.
    start = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        grid->GetItemAt(0)->SetVisible(i % 2 != 0);
        manager.LayoutIfNeeded();
    }
    const double regrid = Milliseconds(start) / rounds;

    std::printf(
        "control tree, %d tiles (%d controls): build %.1f ms, layout %.1f ms, "
        "paint %.1f ms, re-layout after a change inside one tile %.2f ms, "
        "after one tile is hidden or shown %.2f ms\n",
        tiles, tiles * 7 + 3, build, layout, paint, relayout, regrid);
    canvas.WritePng("/tmp/kavrin-bench-tiles.png");
}
