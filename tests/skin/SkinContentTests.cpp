#include <gtest/gtest.h>
#include <json/json.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/TextConvert.h"
#include "tests/support/TempDir.h"
#include "tests/uikit/support/SkinFixture.h"
#include "uikit/image/GifFrames.h"
#include "uikit/image/ImageData.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"
#include "uikit/resources/AttributeSyntax.h"

using namespace uikit;

namespace {

const char16_t* const kMarkupFiles[] = {
    u"MainWnd.xml",
    u"Menu.xml",
    u"MessageWnd.xml",
    u"GameItem.xml",
    u"OwnGamePackageItemUI.xml",
    u"gameLabeItem.xml",
    u"gameDetailLabelItem.xml",
    u"DownWnd.xml",
    u"DownItem.xml",
    u"DownloadList.xml",
    u"SettingPathWnd.xml",
    u"OrderList.xml",
    u"ErrorReporter.xml",
    u"fonts.xml",
};

// Attributes whose values are image descriptors, in elements and in attribute lists.
bool IsImageAttribute(std::u16string_view name) {
    static const std::set<std::u16string_view> kNames = {
        u"bkimage",       u"normalimage",      u"hotimage",      u"pushedimage",
        u"selectedimage", u"disabledimage",    u"shadowimage",   u"thumbnormalimage",
        u"thumbhotimage", u"thumbpushedimage", u"bknormalimage", u"focusedimage",
    };
    return kNames.count(name) != 0;
}

struct ImageUse {
    std::u16string file;
    std::u16string value;
};

void CollectFromAttribute(const std::u16string& file, std::u16string_view name,
                          std::u16string_view value, std::vector<ImageUse>& uses) {
    if (name == u"value") {  // a Default element's attribute list
        for (const auto& [inner, innerValue] : ParseAttributeList(value)) {
            CollectFromAttribute(file, inner, innerValue, uses);
        }
    } else if (IsImageAttribute(name) && !value.empty()) {
        uses.push_back({file, std::u16string(value)});
    }
}

void CollectImages(const std::u16string& file, CMarkupNodeUI node, std::vector<ImageUse>& uses) {
    for (; node.IsValid(); node = node.GetSibling()) {
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            CollectFromAttribute(file, node.GetAttributeName(i), node.GetAttributeValue(i), uses);
        }
        CollectImages(file, node.GetChild(), uses);
    }
}

std::vector<ImageUse> AllImageUses() {
    std::vector<ImageUse> uses;
    for (const char16_t* file : kMarkupFiles) {
        CMarkupDocUI doc;
        if (doc.LoadFromFile(file, LinkedSkin())) {
            CollectImages(file, doc.GetRoot(), uses);
        }
    }
    return uses;
}

struct ManifestAnimation {
    std::string path;
    int frames = 0;
    int delayMs = 0;
};

// The animations the artwork list orders: "OUTPUT SOURCE frames=N delay=MS".
std::vector<ManifestAnimation> AnimationsOfTheManifest() {
    std::vector<ManifestAnimation> animations;
    std::istringstream lines(ReadWholeFile(KAVRIN_ART_MANIFEST));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream words(line);
        ManifestAnimation animation;
        std::string source;
        words >> animation.path >> source;
        for (std::string option; words >> option;) {
            if (option.rfind("frames=", 0) == 0) {
                animation.frames = std::stoi(option.substr(7));
            } else if (option.rfind("delay=", 0) == 0) {
                animation.delayMs = std::stoi(option.substr(6));
            }
        }
        if (animation.path.starts_with("img/gif/")) {
            animations.push_back(animation);
        }
    }
    return animations;
}

TEST(Skin, EveryMarkupFileLoadsFromThePackedArchive) {
    for (const char16_t* file : kMarkupFiles) {
        CMarkupDocUI doc;
        EXPECT_TRUE(doc.LoadFromFile(file, LinkedSkin()))
            << Utf16ToAnsi(file) << ": " << Utf16ToAnsi(doc.GetLastErrorMessage()) << " at "
            << Utf16ToAnsi(doc.GetLastErrorLocation());
    }
    // The program asks for these spellings; the archive stores others.
    for (const char16_t* asked : {u"DownLoadList.xml", u"orderList.xml"}) {
        CMarkupDocUI doc;
        EXPECT_TRUE(doc.LoadFromFile(asked, LinkedSkin())) << Utf16ToAnsi(asked);
    }
}

TEST(Skin, EveryImageTheMarkupNamesDecodesAndHoldsItsCuts) {
    const std::vector<ImageUse> uses = AllImageUses();
    // The walk reaches an element's own images, a window's and those inside a Default's list.
    std::set<std::u16string> named;
    for (const ImageUse& use : uses) {
        named.insert(ParseImageDescriptor(use.value).name);
    }
    for (const char16_t* image :
         {u"img/GameBookBtn.png", u"images/bk_shadow.png", u"images/vscrollbar/vscrollbar.png"}) {
        EXPECT_EQ(named.count(image), 1u) << Utf16ToAnsi(image);
    }
    for (const ImageUse& use : uses) {
        SCOPED_TRACE(Utf16ToAnsi(use.file) + ": " + Utf16ToAnsi(use.value));
        const ImageDescriptor descriptor = ParseImageDescriptor(use.value);
        const auto image = LoadImageUI(descriptor.name, u"", descriptor.mask, LinkedSkin());
        ASSERT_NE(image, nullptr);
        const Rect& s = descriptor.source;
        if (s != Rect{}) {
            EXPECT_GE(s.left, 0);
            EXPECT_GE(s.top, 0);
            EXPECT_LE(s.right, image->width);
            EXPECT_LE(s.bottom, image->height);
            EXPECT_FALSE(s.IsEmpty());
        }
        const int width = s != Rect{} ? s.Width() : image->width;
        const int height = s != Rect{} ? s.Height() : image->height;
        EXPECT_LE(descriptor.corners.left + descriptor.corners.right, width);
        EXPECT_LE(descriptor.corners.top + descriptor.corners.bottom, height);
    }
}

TEST(Skin, CoversAnimationsAndLogosTheServerCanName) {
    for (const char* name : {"bf", "cs", "hj", "xj", "ms", "xh", "hm", "sh", "sl"}) {
        const auto cover = LoadImageUI(AnsiToUtf16(std::string("img/cover/") + name + ".jpg"), u"",
                                       0, LinkedSkin());
        ASSERT_NE(cover, nullptr) << name;
        EXPECT_EQ(cover->width, 170);
        EXPECT_EQ(cover->height, 225);
    }
    // Each animation has the frames and the pace the artwork list asks for.
    const std::vector<ManifestAnimation> animations = AnimationsOfTheManifest();
    ASSERT_EQ(animations.size(), 9u);
    for (const ManifestAnimation& expected : animations) {
        SCOPED_TRACE(expected.path);
        const auto read = LinkedSkin().ReadImage(AnsiToUtf16(expected.path));
        const GifAnimation animation = DecodeGifFrames(read.bytes);
        EXPECT_EQ(animation.frames.size(), static_cast<size_t>(expected.frames));
        EXPECT_EQ(animation.width, 518);
        EXPECT_EQ(animation.height, 292);
        EXPECT_EQ(animation.delaysMs, std::vector<int>(animation.frames.size(), expected.delayMs));
    }
    for (const char* name : {"xj", "cs", "ms", "hj"}) {
        const auto logo = LoadImageUI(AnsiToUtf16(std::string("img/logo/") + name + ".png"), u"", 0,
                                      LinkedSkin());
        ASSERT_NE(logo, nullptr) << name;
        EXPECT_EQ(logo->width, 32);
        EXPECT_EQ(logo->height, 32);
    }
}

// Every cover and animation the demo catalogue names is packed, so no tile or page is blank.
TEST(Skin, EveryCoverAndAnimationOfTheDemoCatalogueIsPacked) {
    Json::Value catalog;
    std::istringstream in(ReadWholeFile(std::string(KAVRIN_DEMO_DATA) + "/catalog.json"));
    ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &catalog, nullptr));
    ASSERT_GT(catalog["gameInfos"].size(), 0u);
    for (const Json::Value& package : catalog["gameInfos"]) {
        const std::string cover = "img/cover/" + package["gameCoverPage"].asString();
        const std::string animation = "img/gif/" + package["gameDetailPage"].asString();
        EXPECT_NE(LoadImageUI(AnsiToUtf16(cover), u"", 0, LinkedSkin()), nullptr) << cover;
        EXPECT_GT(
            DecodeGifFrames(LinkedSkin().ReadImage(AnsiToUtf16(animation)).bytes).frames.size(), 1u)
            << animation;
    }
}

TEST(Skin, TheShadowIsASoftRingAroundAnEmptyCentre) {
    const auto shadow = LoadImageUI(u"images/bk_shadow.png", u"", 0, LinkedSkin());
    ASSERT_NE(shadow, nullptr);
    const auto alpha = [&](int x, int y) { return shadow->Pixel(x, y) >> 24; };
    EXPECT_EQ(alpha(shadow->width / 2, shadow->height / 2), 0u);             // the window covers it
    EXPECT_EQ(alpha(0, 0), 0u);                                              // fades out completely
    EXPECT_GT(alpha(12, shadow->height / 2), alpha(4, shadow->height / 2));  // darker inward
    EXPECT_GT(alpha(12, shadow->height / 2), 60u);
}

// The shadow fades over the whole width the window gives it ("shadowcorner" 14): no hard band
// near the window and no empty margin outside, in every direction and round the corners.
TEST(Skin, TheShadowFadesSmoothlyOverItsFullWidth) {
    const auto shadow = LoadImageUI(u"images/bk_shadow.png", u"", 0, LinkedSkin());
    ASSERT_NE(shadow, nullptr);
    constexpr int kWidth = 14;
    const int w = shadow->width;
    const int h = shadow->height;
    const auto alpha = [&](int x, int y) { return static_cast<int>(shadow->Pixel(x, y) >> 24); };
    // From the outer edge inward, along each side and along the corner's diagonal.
    const std::vector<std::pair<std::string, std::function<int(int)>>> walks = {
        {"left", [&](int d) { return alpha(d, h / 2); }},
        {"right", [&](int d) { return alpha(w - 1 - d, h / 2); }},
        {"top", [&](int d) { return alpha(w / 2, d); }},
        {"bottom", [&](int d) { return alpha(w / 2, h - 1 - d); }},
        {"corner",
         [&](int d) {
             return alpha(kWidth - 1 - (kWidth - 1 - d) * 7 / 10,
                          kWidth - 1 - (kWidth - 1 - d) * 7 / 10);
         }},
    };
    for (const auto& [side, at] : walks) {
        SCOPED_TRACE(side);
        EXPECT_LE(at(0), 8) << "nothing left at the outer edge";
        EXPECT_GT(at(kWidth / 2), 12) << "still visible halfway out";
        EXPECT_GT(at(kWidth - 1), 60) << "darkest at the window";
        for (int d = 1; d < kWidth; ++d) {
            EXPECT_GE(at(d), at(d - 1)) << d;
            EXPECT_LE(at(d) - at(d - 1), 24) << "no hard step at " << d;
        }
    }
}

TEST(Skin, NavigationStripsHaveAWhiteNormalAndABlueSelectedHalf) {
    for (const char* name : {"GameBookBtn", "MyDownload", "MyOrderForm", "UseHelpBtn"}) {
        const auto strip =
            LoadImageUI(AnsiToUtf16(std::string("img/") + name + ".png"), u"", 0, LinkedSkin());
        ASSERT_NE(strip, nullptr) << name;
        EXPECT_EQ(strip->width, 172);
        EXPECT_EQ(strip->height, 60);
        EXPECT_EQ(strip->Pixel(5, 15), 0xFFFFFFFFu) << name;
        EXPECT_EQ(strip->Pixel(5, 45), 0xFF347AEAu) << name;
    }
}

}  // namespace
