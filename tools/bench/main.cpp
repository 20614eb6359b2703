// Prints markup parse throughput and the time to draw a 1024x720 frame full of text and images.
// Not a test: numbers depend on the machine. Run it from the build folder after a Release build.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "uikit/draw/Canvas.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/ShapePainter.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/draw/TextPainter.h"
#include "uikit/image/ImageData.h"
#include "uikit/image/ImagePainter.h"
#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"

using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// A skin-like document: nested layouts, many attributes, Chinese text and entities.
std::string MakeMarkup(size_t targetBytes) {
    std::string text =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Window size=\"1024,720\">\n";
    int i = 0;
    while (text.size() < targetBytes) {
        text += "  <HorizontalLayout name=\"row" + std::to_string(i++) +
                "\" height=\"70\" bkcolor=\"#FFF4F6F8\" inset=\"10,5,10,5\" childpadding=\"8\">\n"
                "    <Label text=\"魔兽争霸3：冰封王座 &amp; CS1.6\" font=\"160\" "
                "textcolor=\"#FF333333\" "
                "align=\"left\" valign=\"vcenter\" endellipsis=\"true\" />\n"
                "    <Button name=\"dl\" width=\"80\" normalimage=\"file='img/btn.png' "
                "corner='4,4,4,4'\" "
                "hotimage=\"file='img/btn.png' source='0,24,80,48'\" text=\"下载\" />\n"
                "    <!-- a comment with -- dashes -->\n"
                "  </HorizontalLayout>\n";
    }
    text += "</Window>\n";
    return text;
}

void BenchParse() {
    const std::string markup = MakeMarkup(4u << 20);
    const auto* bytes = reinterpret_cast<const uint8_t*>(markup.data());
    uikit::CMarkupDocUI doc;
    const int rounds = 10;
    size_t attributes = 0;
    const auto start = Clock::now();
    for (int r = 0; r < rounds; ++r) {
        if (!doc.LoadFromMem(bytes, markup.size())) {
            std::printf("parse failed\n");
            return;
        }
        // Touch the attributes as the builder would.
        for (auto row = doc.GetRoot().GetChild(); row.IsValid(); row = row.GetSibling()) {
            attributes += static_cast<size_t>(row.GetAttributeCount());
        }
    }
    const double seconds = Seconds(start);
    std::printf("markup parse: %.1f MB/s (%.1f MiB document, %d rounds, %zu attributes)\n",
                markup.size() * rounds / seconds / 1e6, markup.size() / 1048576.0, rounds,
                attributes);
}

std::shared_ptr<uikit::ImageData> MakeButtonImage() {
    std::vector<uint8_t> rgba(48 * 48 * 4);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            uint8_t* p = &rgba[(y * 48 + x) * 4];
            p[0] = static_cast<uint8_t>(40 + x * 3);
            p[1] = static_cast<uint8_t>(120 + y);
            p[2] = 230;
            p[3] = (x < 2 || y < 2 || x > 45 || y > 45) ? 128 : 255;
        }
    }
    return uikit::ImageFromRgba(rgba.data(), 48, 48, 0);
}

void DrawFrame(uikit::Canvas& canvas, const uikit::ImageData& image, const uikit::FontUI& title,
               const uikit::FontUI& body) {
    cairo_t* cr = canvas.Context();
    uikit::FillGradient(cr, canvas.Bounds(), 0xFFECF4F6, 0xFFFFFFFF, true);
    for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 6; ++col) {
            const uikit::Rect tile{12 + col * 168, 12 + row * 116, 172 + col * 168,
                                   120 + row * 116};
            uikit::FillRoundRect(cr, tile, 10, 10, 0xFFFFFFFF);
            uikit::DrawRoundBorder(cr, tile, 1, 10, 10, 0xFFD0D7DE);
            uikit::ImagePlacement cover;
            cover.dest = {tile.left + 6, tile.top + 6, tile.left + 60, tile.top + 60};
            cover.source = {0, 0, image.width, image.height};
            uikit::DrawImagePart(cr, image, cover, canvas.Bounds());
            uikit::ImagePlacement button = cover;
            button.dest = {tile.left + 70, tile.bottom - 30, tile.right - 8, tile.bottom - 6};
            button.corners = {6, 6, 6, 6};
            uikit::DrawImagePart(cr, image, button, canvas.Bounds());
            uikit::DrawTextUI(cr, title,
                              {tile.left + 66, tile.top + 6, tile.right - 6, tile.top + 28},
                              u"魔兽争霸3：冰封王座", 0xFF333333,
                              uikit::TextStyle::kSingleLine | uikit::TextStyle::kEndEllipsis);
            uikit::DrawTextUI(
                cr, body, {tile.left + 66, tile.top + 30, tile.right - 6, tile.top + 76},
                u"Classic real-time strategy, 经典即时战略游戏 with its expansion.", 0xFF666666,
                uikit::TextStyle::kWordBreak | uikit::TextStyle::kEndEllipsis);
            uikit::DrawTextUI(cr, body, button.dest, u"下载", 0xFFFFFFFF,
                              uikit::TextStyle::kSingleLine | uikit::TextStyle::kCenter |
                                  uikit::TextStyle::kVCenter);
        }
    }
}

void BenchDraw() {
    uikit::InitTextEngine();
    uikit::Canvas canvas(1024, 720);
    const auto image = MakeButtonImage();
    const uikit::FontUI title({u"微软雅黑", 16, true, false, false});
    const uikit::FontUI body({u"微软雅黑", 12, false, false, false});
    DrawFrame(canvas, *image, title, body);  // warm the glyph caches
    const int frames = 30;
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        DrawFrame(canvas, *image, title, body);
    }
    std::printf("frame 1024x720 (36 tiles, 108 texts, 72 images): %.2f ms\n",
                Seconds(start) * 1000 / frames);
    canvas.WritePng("/tmp/kavrin-bench-frame.png");
}

}  // namespace

void BenchControlTree();  // ControlTreeBench.cpp
void BenchTaggedText();   // TaggedTextBench.cpp

int main() {
    BenchParse();
    BenchDraw();
    BenchControlTree();
    BenchTaggedText();
    return 0;
}
