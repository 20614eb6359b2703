// A sheet of the system text engine's samples to look at: Chinese and Latin text, bold,
// underline, alignment, wrapping and ellipsis, each composed in a colour onto white the way the
// controls compose it, with the layout rectangles outlined. Prints the face the system uses for
// each requested one. Usage: kavrin-text-sheet OUT.png
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include "common/TextConvert.h"
#include "platform/TextShaper.h"

namespace {

using namespace platform;
namespace TL = TextLayout;

constexpr int kWidth = 640;
constexpr int kRowHeight = 44;
constexpr int kBoxLeft = 200;

struct Sheet {
    int height;
    std::vector<uint8_t> rgb;

    explicit Sheet(int rows)
        : height(rows * kRowHeight), rgb(static_cast<size_t>(kWidth) * height * 3, 255) {}

    void Blend(int x, int y, uint32_t color, int alpha) {
        if (x < 0 || y < 0 || x >= kWidth || y >= height || alpha <= 0) {
            return;
        }
        uint8_t* pixel = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
        const int channels[3] = {static_cast<int>((color >> 16) & 0xFF),
                                 static_cast<int>((color >> 8) & 0xFF),
                                 static_cast<int>(color & 0xFF)};
        for (int c = 0; c < 3; ++c) {
            pixel[c] = static_cast<uint8_t>((channels[c] * alpha + pixel[c] * (255 - alpha)) / 255);
        }
    }

    void Outline(Rect rc, uint32_t color) {
        for (int x = rc.left; x < rc.right; ++x) {
            Blend(x, rc.top, color, 255);
            Blend(x, rc.bottom - 1, color, 255);
        }
        for (int y = rc.top; y < rc.bottom; ++y) {
            Blend(rc.left, y, color, 255);
            Blend(rc.right - 1, y, color, 255);
        }
    }

    // The coverage in the colour, clipped to the rectangle unless the layout says not to.
    void Compose(const TextCoverage& coverage, Rect rc, unsigned layout, uint32_t color) {
        for (int y = 0; y < coverage.height; ++y) {
            for (int x = 0; x < coverage.width; ++x) {
                const int px = rc.left + coverage.origin.x + x;
                const int py = rc.top + coverage.origin.y + y;
                const bool inside =
                    px >= rc.left && px < rc.right && py >= rc.top && py < rc.bottom;
                if (inside || (layout & TL::kNoClip)) {
                    Blend(px, py, color,
                          coverage.alpha[static_cast<size_t>(y) * coverage.width + x]);
                }
            }
        }
    }
};

struct Sample {
    const char16_t* face;
    int size;
    bool bold;
    bool underline;
    Size box;
    unsigned layout;
    uint32_t color;
    const char16_t* text;
};

const Sample kSamples[] = {
    {u"微软雅黑",
     12,
     false,
     false,
     {400, 30},
     TL::kSingleLine | TL::kVCenter,
     0x333333,
     u"反恐精英CS1.6 经典版 Counter 1.6"},
    {u"微软雅黑",
     16,
     true,
     false,
     {400, 30},
     TL::kSingleLine | TL::kVCenter,
     0x000000,
     u"魔兽争霸3：冰封王座 Bold"},
    {u"微软雅黑",
     14,
     false,
     true,
     {400, 30},
     TL::kSingleLine | TL::kCenter | TL::kVCenter,
     0x1E6FD9,
     u"我的下载 centred, underlined"},
    {u"微软雅黑",
     14,
     false,
     false,
     {400, 30},
     TL::kSingleLine | TL::kRight | TL::kBottom,
     0xD93025,
     u"下载中...46% right/bottom"},
    {u"微软雅黑",
     14,
     false,
     false,
     {160, 30},
     TL::kSingleLine | TL::kVCenter | TL::kEndEllipsis,
     0x000000,
     u"请前往\"我的下载\"查看资源包下载进度 ellipsis"},
    {u"微软雅黑",
     12,
     false,
     false,
     {400, 40},
     TL::kWordBreak | TL::kEndEllipsis,
     0x444444,
     u"经典即时战略游戏，is a classic real-time strategy game, long enough to wrap onto a "
     u"second line, then a third that no longer fits and so ends in an ellipsis"},
    {u"Tahoma",
     13,
     false,
     false,
     {400, 30},
     TL::kSingleLine | TL::kVCenter,
     0x000000,
     u"Tahoma: Kavrin 1.6 — a&b ☆"},
    {u"宋体",
     12,
     false,
     false,
     {400, 30},
     TL::kSingleLine | TL::kVCenter,
     0x000000,
     u"宋体: 简体中文 Simplified"},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    Sheet sheet(static_cast<int>(std::size(kSamples)));
    int top = 0;
    for (const Sample& sample : kSamples) {
        const auto font = SystemTextShaper().MakeFont(
            TextFontSpec{sample.face, sample.size, sample.bold, sample.underline, false});
        const Rect rc{kBoxLeft, top + 2, kBoxLeft + sample.box.cx, top + 2 + sample.box.cy};
        sheet.Outline(Rect{rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1}, 0xC0C0C0);
        sheet.Compose(font->Render(sample.text, sample.box, sample.layout), rc, sample.layout,
                      sample.color);
        // The face the system chose, written beside the sample in the face itself.
        const std::u16string resolved = font->ResolvedFamily();
        const auto label = SystemTextShaper().MakeFont(TextFontSpec{sample.face, 11});
        const Rect labelRc{4, top + 2, kBoxLeft - 8, top + kRowHeight - 2};
        const std::u16string labelText = std::u16string(sample.face) + u" → " + resolved + u" " +
                                         AnsiToUtf16(std::to_string(sample.size));
        sheet.Compose(
            label->Render(labelText, Size{labelRc.Width(), labelRc.Height()}, TL::kWordBreak),
            labelRc, TL::kWordBreak, 0x808080);
        const TextFontMetrics metrics = font->Metrics();
        std::printf("%s -> %s size %d: ascent %d descent %d average %d, measured %dx%d\n",
                    Utf16ToAnsi(sample.face).c_str(), Utf16ToAnsi(resolved).c_str(), sample.size,
                    metrics.ascent, metrics.descent, metrics.averageWidth,
                    font->Measure(sample.text, 0, TL::kSingleLine).cx,
                    font->Measure(sample.text, 0, TL::kSingleLine).cy);
        top += kRowHeight;
    }
    if (!stbi_write_png(argv[1], kWidth, sheet.height, 3, sheet.rgb.data(), kWidth * 3)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
