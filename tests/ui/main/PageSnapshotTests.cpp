#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/TextConvert.h"
#include "tests/ui/support/PagesFixture.h"
#include "ui/items/VGameItem.h"
#include "uikit/controls/GifAnimUI.h"
#include "uikit/image/GifFrames.h"
#include "uikit/image/ImageData.h"
#include "uikit/layout/TabLayoutUI.h"

using namespace uikit;

namespace {

// The colours the markup gives (#AARRGGBB).
constexpr uint32_t kWhite = 0xFFFFFFFF;     // head, navigation column, version rows
constexpr uint32_t kRule = 0xFFECF4F6;      // first line under the head and right of the column
constexpr uint32_t kSoftRule = 0xFFF3F9FB;  // the lines after it
constexpr uint32_t kTileBackground = 0xFFF8FDFF;  // a tile and an order row
constexpr uint32_t kTitleInk = 0xFF0B0B0B;        // the window's title
constexpr uint32_t kCaptionInk = 0xFF333333;      // a tile's caption
constexpr uint32_t kDetailInk = 0xFF474747;       // the game's name and facts, a version's name
constexpr uint32_t kRateInk = 0xFF1B7AFF;         // the rating
constexpr uint32_t kChipInk = 0xFF69A8FF;         // a tag chip of the detail page
constexpr uint32_t kVersionChipInk = 0xFF8EBBFF;  // a tag chip of a version row
constexpr uint32_t kListHeaderInk = 0xFF818181;   // the column names above the orders
constexpr uint32_t kListHeaderRule = 0xFFDEE0E4;  // the line below them
constexpr uint32_t kOrderInk = 0xFF2C2C2C;        // an order row's texts
constexpr uint32_t kOrderRowLine = 0xFFE8E8E8;    // the line below each order row
// The selected half of every navigation strip of the art.
constexpr uint32_t kSelectedBlue = 0xFF347AEA;

std::shared_ptr<ImageData> SkinImage(std::u16string_view name) {
    return LoadImageUI(name, u"", 0, SkinArchive::Instance());
}

// What a point of the canvas should show, in canvas coordinates.
using Expected = std::function<uint32_t(int x, int y)>;

Expected Plain(uint32_t colour) {
    return [colour](int, int) { return colour; };
}

Expected Picture(const ImageData& image, Point origin = {}) {
    return [&image, origin](int x, int y) { return image.Pixel(x - origin.x, y - origin.y); };
}

// Premultiplied source-over, as the canvas lays an image on what lies below it.
uint32_t Over(uint32_t top, uint32_t below) {
    const uint32_t keep = 255 - (top >> 24);
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t mixed =
            ((top >> shift) & 0xFF) + (((below >> shift) & 0xFF) * keep + 127) / 255;
        out |= (mixed > 255 ? 255 : mixed) << shift;
    }
    return out;
}

// `image` laid 1:1 on `area` with its point `from` at the area's top left, over `below`.
Expected Laid(const ImageData& image, const Rect& area, Point from, Expected below) {
    return [&image, area, from, below](int x, int y) {
        return Over(image.Pixel(from.x + x - area.left, from.y + y - area.top), below(x, y));
    };
}

// The rounding of a composition may move a channel by one.
bool Near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 1) {
            return false;
        }
    }
    return true;
}

// The points of `area`, less `except`, that the canvas does not show as expected; a count, so
// that a failure tells a stray pixel from a missing picture.
int Differing(const Canvas& shot, const Rect& area, const Expected& expected,
              const Rect& except = {}) {
    int wrong = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (!except.Contains(Point{x, y}) && !Near(shot.Pixel(x, y), expected(x, y))) {
                ++wrong;
            }
        }
    }
    return wrong;
}

// Where a glyph covers a pixel wholly or all but wholly, its ink shows unmixed or within a few
// steps of it; no other colour of the page lies that close to a text's colour.
int InkPoints(const Canvas& shot, const Rect& area, uint32_t ink) {
    constexpr int kSteps = 4;
    int points = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t pixel = shot.Pixel(x, y);
            bool close = true;
            for (int shift = 0; shift < 32; shift += 8) {
                close = close && std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                                          static_cast<int>((ink >> shift) & 0xFF)) <= kSteps;
            }
            points += close ? 1 : 0;
        }
    }
    return points;
}

Rect Row(const Rect& rc, int y) {
    return Rect{rc.left, y, rc.right, y + 1};
}
Rect Column(const Rect& rc, int x) {
    return Rect{x, rc.top, x + 1, rc.bottom};
}

// The pictures are kept to be looked at, beside the build's other previews.
void WritePreview(const Canvas& shot, const std::string& name) {
    std::filesystem::create_directories(KAVRIN_PREVIEW_DIR);
    EXPECT_TRUE(shot.WritePng(std::string(KAVRIN_PREVIEW_DIR) + "/" + name + ".png"));
}

class PageSnapshot : public PagesTest {
  protected:
    void SetUp() override {
        PagesTest::SetUp();
        background = SkinImage(u"img/AllBkImg.png");
        ASSERT_NE(background, nullptr);
    }

    const Rect& Pos(std::u16string_view name) const {
        static const Rect none;
        const CControlUI* control = Find(name);
        EXPECT_NE(control, nullptr) << "no control of that name";
        return control != nullptr ? control->GetPos() : none;
    }

    // The window's background picture covers the whole window 1:1 below every page.
    Expected Background() const { return Picture(*background); }

    std::shared_ptr<ImageData> background;
};

TEST_F(PageSnapshot, TheFrameShowsTheWhiteHeadItsRulesAndTheSelectedNavigation) {
    std::unique_ptr<Canvas> shot = Render();
    WritePreview(*shot, "pages-frame");

    const Rect& head = Pos(u"head");
    ASSERT_EQ(head.Width(), kClient.cx);
    ASSERT_EQ(head.Height(), 50);
    const Rect& title = Pos(u"title");
    const Rect& menu = Pos(u"btnMenu");
    // White between the title and the buttons, and under and over both.
    EXPECT_EQ(Differing(*shot, Rect{title.right, head.top, menu.left, head.bottom}, Plain(kWhite)),
              0);
    EXPECT_EQ(Differing(*shot, Row(head, head.bottom - 1), Plain(kWhite)), 0);
    EXPECT_GT(InkPoints(*shot, title, kTitleInk), 0) << "Kavrin in its dark ink";
    EXPECT_EQ(shot->Pixel(title.left, title.top), kWhite) << "around the letters the head shows";
    // The logo floats at 20,10 of the head.
    const auto logo = SkinImage(u"img/logoLabel.png");
    ASSERT_NE(logo, nullptr);
    const Rect logoArea{head.left + 20, head.top + 10, head.left + 20 + logo->width,
                        head.top + 10 + logo->height};
    EXPECT_EQ(Differing(*shot, logoArea, Laid(*logo, logoArea, {}, Plain(kWhite))), 0);
    for (const auto& [name, file] : {std::pair{u"btnMenu", u"img/MenuBtn.png"},
                                     {u"minBtn", u"img/MenuMinBtn.png"},
                                     {u"closeBtn", u"img/MenuCloseBtn.png"}}) {
        SCOPED_TRACE(Utf16ToAnsi(name));
        const auto image = SkinImage(file);
        ASSERT_NE(image, nullptr);
        const Rect& button = Pos(name);
        EXPECT_EQ(Differing(*shot, button, Laid(*image, button, {}, Plain(kWhite))), 0);
    }
    // The close button keeps the 20 pixels of room its markup gives it from the window's edge.
    EXPECT_EQ(head.right - Pos(u"closeBtn").right, 20);
    // Under the pointer each head button shows the hot slice of its strip, pressed the pushed one.
    for (const auto& [name, file] : {std::pair{u"btnMenu", u"img/MenuBtn.png"},
                                     {u"minBtn", u"img/MenuMinBtn.png"},
                                     {u"closeBtn", u"img/MenuCloseBtn.png"}}) {
        SCOPED_TRACE(Utf16ToAnsi(name));
        const auto image = SkinImage(file);
        ASSERT_NE(image, nullptr);
        const Rect& button = Pos(name);
        ASSERT_EQ(image->height, button.Height() * 3);
        const Point middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        manager->OnMouseMove(middle);
        std::unique_ptr<Canvas> hot = Render();
        EXPECT_EQ(
            Differing(*hot, button, Laid(*image, button, {0, button.Height()}, Plain(kWhite))), 0);
        EXPECT_GT(Differing(*hot, button, Laid(*image, button, {}, Plain(kWhite))), 0);
        manager->OnLButtonDown(middle);
        std::unique_ptr<Canvas> pushed = Render();
        EXPECT_EQ(Differing(*pushed, button,
                            Laid(*image, button, {0, 2 * button.Height()}, Plain(kWhite))),
                  0);
        manager->OnLButtonUp(Point{button.left - 200, button.bottom + 300});
        manager->OnMouseMove(Point{button.left - 200, button.bottom + 300});
    }
    // One rule and two soft rules below the head.
    EXPECT_EQ(Differing(*shot, Row(head, head.bottom), Plain(kRule)), 0);
    EXPECT_EQ(Differing(*shot, Row(head, head.bottom + 1), Plain(kSoftRule)), 0);
    EXPECT_EQ(Differing(*shot, Row(head, head.bottom + 2), Plain(kSoftRule)), 0);

    // The library's strip shows its selected half, the others their normal half.
    const Rect& library = Pos(u"GameBookBtn");
    EXPECT_EQ(shot->Pixel(library.left + 5, library.top + 15), kSelectedBlue);
    for (const auto& [name, file] : {std::pair{u"GameBookBtn", u"img/GameBookBtn.png"},
                                     {u"MyDownload", u"img/MyDownload.png"},
                                     {u"MyOrderForm", u"img/MyOrderForm.png"},
                                     {u"UseHelpBtn", u"img/UseHelpBtn.png"}}) {
        SCOPED_TRACE(Utf16ToAnsi(name));
        const auto strip = SkinImage(file);
        ASSERT_NE(strip, nullptr);
        const Rect& option = Pos(name);
        ASSERT_EQ(option.Width(), strip->width);
        ASSERT_EQ(option.Height() * 2, strip->height);
        const Point half{0, name == std::u16string_view(u"GameBookBtn") ? option.Height() : 0};
        EXPECT_EQ(Differing(*shot, option, Laid(*strip, option, half, Plain(kWhite))), 0);
    }
    // The column is white around its strips and ends in a rule and a soft rule.
    const Rect& column = Find(u"GameBookBtn")->GetParent()->GetParent()->GetPos();
    ASSERT_EQ(column.Width(), 190);
    const Rect& help = Pos(u"UseHelpBtn");
    EXPECT_EQ(
        Differing(*shot, Rect{column.left, column.top, column.right, library.top}, Plain(kWhite)),
        0);
    EXPECT_EQ(Differing(*shot, Rect{column.left, help.bottom, column.right, column.bottom},
                        Plain(kWhite)),
              0);
    EXPECT_EQ(Differing(*shot, Column(column, column.right), Plain(kRule)), 0);
    EXPECT_EQ(Differing(*shot, Column(column, column.right + 1), Plain(kSoftRule)), 0);

    // The library, still loading, lets the window's background through around its notice and
    // below the floating help button.
    const Rect& page = Pos(u"gameLayout");
    const Rect& service = Pos(u"kefuBtn");
    const Rect& loading = Pos(u"libraryLoading");
    EXPECT_EQ(Differing(*shot, Rect{page.left, page.top, page.right, loading.top}, Background()),
              0);
    EXPECT_EQ(Differing(*shot, Rect{page.left, loading.bottom, page.right, page.bottom},
                        Background(), service),
              0);
    const auto helpButton = SkinImage(u"img/OnlineHelp.png");
    ASSERT_NE(helpButton, nullptr);
    EXPECT_EQ(Differing(*shot, service, Laid(*helpButton, service, {}, Background())), 0);
}

// How far the underline of a link runs past the last ink of its letters (negative: it stops
// short of it), in pixels. The underline is the longest unbroken run of ink on one row; its
// edges may be blended with the page, so ink is anything the page does not show there.
int UnderlineOverrun(const Canvas& shot, const Rect& link) {
    const auto ink = [&](int x, int y) {
        return !Near(shot.Pixel(x, y), shot.Pixel(link.right - 1, y));
    };
    int lineY = -1;
    int lineEnd = 0;
    int longest = 0;
    for (int y = link.top; y < link.bottom; ++y) {
        for (int x = link.left, run = 0; x < link.right; ++x) {
            run = ink(x, y) ? run + 1 : 0;
            if (run > longest) {
                longest = run;
                lineY = y;
                lineEnd = x;
            }
        }
    }
    EXPECT_GE(longest, 40) << "the four words are underlined";
    int lettersEnd = link.left;
    for (int y = link.top; y < link.bottom; ++y) {
        for (int x = link.left; x < link.right && std::abs(y - lineY) > 1; ++x) {
            lettersEnd = ink(x, y) ? std::max(lettersEnd, x) : lettersEnd;
        }
    }
    return lineEnd - lettersEnd;
}

TEST_F(PageSnapshot, TheHelpLinkIsUnderlinedUnderItsWordsAndNotUnderTheFullStop) {
    ASSERT_TRUE(static_cast<CTabLayoutUI*>(Find(u"gameItemsTab"))->SelectItem(6));
    std::unique_ptr<Canvas> shot = Render();
    WritePreview(*shot, "pages-help");
    const Rect& link = Pos(u"HelpHtmlBtn");
    EXPECT_LE(UnderlineOverrun(*shot, link), 0);

    // The same words with the underline never closed: the line runs on to the full stop's end.
    Find(u"HelpHtmlBtn")->SetText(u"<u>帮助页面<u>。");
    std::unique_ptr<Canvas> open = Render();
    EXPECT_GT(UnderlineOverrun(*open, link), 2);
}

TEST_F(PageSnapshot, EveryTileInViewShowsItsCoverAndItsCaptionOnTheTileBackground) {
    TestServer server;
    LoadCatalog(server);
    pages->FillLibrary();
    std::unique_ptr<Canvas> shot = Render();
    WritePreview(*shot, "pages-library");

    CContainerUI* grid = Container(u"gameTileLayout");
    ASSERT_GE(grid->GetCount(), 8);
    for (int i = 0; i < 8; ++i) {  // the two rows in view
        SCOPED_TRACE(i);
        CControlUI* tile = grid->GetItemAt(i);
        const auto* package = static_cast<VGameItem*>(tile->GetInterface(u"VGameItemUI"));
        ASSERT_NE(package, nullptr);
        const auto cover = SkinImage(u"img/cover/" + package->Package().gameCoverPage);
        ASSERT_NE(cover, nullptr);
        const Rect& back = Inside(tile, u"gameItemBk")->GetPos();
        const Rect& picture = Inside(tile, u"gameOption")->GetPos();
        const Rect& caption = Inside(tile, u"gameInfoNameLabel")->GetPos();

        EXPECT_EQ(shot->Pixel(back.left + 2, back.top + 2), kTileBackground);
        EXPECT_EQ(shot->Pixel(back.right - 2, back.bottom - 2), kTileBackground);
        const Point middle{(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2};
        EXPECT_NE(shot->Pixel(middle.x, middle.y), kTileBackground);
        EXPECT_EQ(Differing(*shot, picture, Laid(*cover, picture, {}, Plain(kTileBackground))), 0)
            << "the cover lies 1:1 on its button";
        EXPECT_GT(InkPoints(*shot, caption, kCaptionInk), 0);
        EXPECT_EQ(shot->Pixel(caption.left + 1, caption.top + 1), kTileBackground);
        // The tile's top padding shows the page through.
        EXPECT_EQ(Differing(*shot, Rect{back.left, tile->GetPos().top, back.right, back.top},
                            Background()),
                  0);
    }
}

TEST_F(PageSnapshot, TheDetailPageShowsTheAnimationItsHeaderAndTheVersionRows) {
    TestServer server;
    LoadCatalog(server);
    const GamePackage& game = catalog[3];
    pages->ShowGameDetail(game);
    std::unique_ptr<Canvas> shot = Render();
    WritePreview(*shot, "pages-detail");

    // The animation's current frame 1:1, with the return button floating over its corner.
    auto* gif = Find<CGifAnimUI>(u"gameDetailGif");
    const GifAnimation animation =
        LoadGifAnimation(u"img/gif/" + game.gameDetailPage, SkinArchive::Instance());
    ASSERT_EQ(gif->GetFrameCount(), static_cast<int>(animation.frames.size()));
    ASSERT_GT(gif->GetFrameCount(), 0);
    const ImageData& frame = *animation.frames[static_cast<size_t>(gif->GetCurrentFrame())];
    const Rect& picture = gif->GetPos();
    const Rect& back = Pos(u"returnBtn");
    EXPECT_EQ(Differing(*shot, picture, Picture(frame, {picture.left, picture.top}), back), 0);
    EXPECT_EQ(back.left - picture.left, 10);
    EXPECT_EQ(back.top - picture.top, 10);
    const auto returnImage = SkinImage(u"img/returnBtn.png");
    ASSERT_NE(returnImage, nullptr);
    EXPECT_EQ(Differing(*shot, back,
                        Laid(*returnImage, back, {}, Picture(frame, {picture.left, picture.top}))),
              0);

    // The header: name, rating and facts in their inks, the tags as outlined chips.
    EXPECT_GT(InkPoints(*shot, Pos(u"gameName"), kDetailInk), 0);
    EXPECT_GT(InkPoints(*shot, Pos(u"rateLabel"), kRateInk), 0);
    for (const char16_t* fact :
         {u"issueDateLabel", u"developerLabel", u"supportLanguagesLabel", u"sizeLabel"}) {
        EXPECT_GT(InkPoints(*shot, Pos(fact), kDetailInk), 0);
    }
    CContainerUI* chips = Container(u"GameDetailLabelsTileLayout");
    ASSERT_GT(chips->GetCount(), 0);
    const auto outline = SkinImage(u"img/gameDetailLabel.png");
    ASSERT_NE(outline, nullptr);
    for (int i = 0; i < chips->GetCount(); ++i) {
        SCOPED_TRACE(i);
        const Rect& chip = Inside(chips->GetItemAt(i), u"gameDetailLabel")->GetPos();
        EXPECT_GT(InkPoints(*shot, chip, kChipInk), 0);
        // The outline's top edge is stretched along the chip; its centre is left open.
        const int middle = (chip.left + chip.right) / 2;
        EXPECT_TRUE(Near(shot->Pixel(middle, chip.top), Over(outline->Pixel(outline->width / 2, 0),
                                                             background->Pixel(middle, chip.top))));
        EXPECT_EQ(shot->Pixel(middle, chip.top + 2), background->Pixel(middle, chip.top + 2));
    }

    // Each version row is white with its name, its tags and the download button's normal third.
    CContainerUI* versions = Container(u"OwnGamePackagesTileLayout");
    ASSERT_GT(versions->GetCount(), 0);
    const auto download = SkinImage(u"img/nowDownLoad.png");
    ASSERT_NE(download, nullptr);
    CControlUI* row = versions->GetItemAt(0);
    const Rect& rowArea = row->GetPos();
    EXPECT_EQ(shot->Pixel(rowArea.left + 2, rowArea.top + 2), kWhite);
    EXPECT_EQ(shot->Pixel(rowArea.right - 40, rowArea.bottom - 2), kWhite);
    EXPECT_GT(InkPoints(*shot, Inside(row, u"versionName")->GetPos(), kDetailInk), 0);
    const Rect& button = Inside(row, u"versionNowDownLoadBtn")->GetPos();
    EXPECT_EQ(Differing(*shot, button, Laid(*download, button, {}, Plain(kWhite))), 0);
    CControlUI* tag = Inside(row, u"gameLabel");
    ASSERT_NE(tag, nullptr);
    EXPECT_GT(InkPoints(*shot, tag->GetPos(), kVersionChipInk), 0);
}

TEST_F(PageSnapshot, TheOrdersPageShowsItsColumnNamesAndOneLinedRowPerOrder) {
    TestServer server;
    LoadOrders(server, "AAAAAAAAAAAAAAAA");
    ASSERT_EQ(orders.size(), 3u);
    pages->FillOrders();
    static_cast<CTabLayoutUI*>(Find(u"gameItemsTab"))->SelectItem(5, false);
    std::unique_ptr<Canvas> shot = Render();
    WritePreview(*shot, "pages-orders");

    CContainerUI* page = Container(u"OrderListLayout");
    const Rect& header = page->GetItemAt(0)->GetPos();
    const Rect& rule = page->GetItemAt(1)->GetPos();
    EXPECT_EQ(shot->Pixel(header.left + 2, header.top + 2), kWhite);
    EXPECT_GT(InkPoints(*shot, header, kListHeaderInk), 0);
    EXPECT_EQ(Differing(*shot, rule, Plain(kListHeaderRule)), 0);

    CContainerUI* list = Container(u"listOrder");
    ASSERT_EQ(list->GetCount(), 3);
    for (int i = 0; i < list->GetCount(); ++i) {
        SCOPED_TRACE(i);
        CControlUI* element = list->GetItemAt(i);
        const Rect& line = element->GetPos();
        CControlUI* row = Inside(element, u"orderList");
        ASSERT_NE(row, nullptr);
        const Rect& rowArea = row->GetPos();
        EXPECT_EQ(shot->Pixel(rowArea.left + 2, rowArea.top + 2), kTileBackground);
        for (const char16_t* cell : {u"OrderNumber", u"OrderName", u"OrderTime", u"OrderStatus"}) {
            EXPECT_GT(InkPoints(*shot, Inside(row, cell)->GetPos(), kOrderInk), 0);
        }
        // The row fills its line of the list; its padding left of the number is plain.
        EXPECT_EQ(line, rowArea);
        const Rect& number = Inside(row, u"OrderNumber")->GetPos();
        EXPECT_EQ(number.left - rowArea.left, 30);
        EXPECT_EQ(Differing(*shot, Rect{rowArea.left, rowArea.top, number.left, rowArea.bottom - 1},
                            Plain(kTileBackground)),
                  0);
        // The list's row line closes every row, across its whole width.
        EXPECT_EQ(Differing(*shot, Row(line, line.bottom - 1), Plain(kOrderRowLine)), 0);
    }
}

}  // namespace
