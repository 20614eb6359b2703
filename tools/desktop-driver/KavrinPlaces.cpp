#include "tools/desktop-driver/KavrinPlaces.h"

#include <algorithm>

#include "tools/desktop-driver/MarkupPlaces.h"
#include "tools/desktop-driver/ScreenWatch.h"

namespace desktop {
namespace {

// Page indices of "gameItemsTab".
constexpr const char* kLibraryPage = "gameItemsTab.selectedid=0";
constexpr const char* kDetailPage = "gameItemsTab.selectedid=1";
constexpr const char* kDownloadsPage = "gameItemsTab.selectedid=4";
constexpr const char* kOrdersPage = "gameItemsTab.selectedid=5";
constexpr const char* kHelpPage = "gameItemsTab.selectedid=6";
// With rows in the list its empty notice is hidden, and the list starts where it was.
constexpr const char* kNoticeHidden = "NoContent1.visible=false";
// Once the catalogue has arrived the library's loading notice is gone and the tiles start at
// the top of the page.
constexpr const char* kLibraryLoaded = "libraryLoading.visible=false";

platform::Rect Main(const char16_t* control, std::vector<std::string> settings = {}) {
    return PlaceInMarkup(u"MainWnd.xml", control, std::move(settings));
}

platform::Point TopLeft(const platform::Rect& rect) {
    return {rect.left, rect.top};
}

// A control of a list entry: the entry's file laid out in its cell, moved to the cell.
platform::Rect InCell(platform::Point cell, const char16_t* file, const char16_t* control,
                      int width, int height, std::vector<std::string> settings = {}) {
    return Offset(PlaceInMarkup(file, control, std::move(settings), width, height), cell);
}

platform::Rect RowButton(platform::Point row, const char16_t* control, const char* group) {
    return InCell(row, u"DownloadList.xml", control, 800, 70,
                  {"GameStopLoad.visible=false", std::string(group) + ".visible=true"});
}

MainPlaces LayOutMain() {
    MainPlaces p;
    p.head = Main(u"head");
    p.library = Main(u"GameBookBtn");
    p.myDownloads = Main(u"MyDownload");
    p.orders = Main(u"MyOrderForm");
    p.help = Main(u"UseHelpBtn");
    p.menuButton = Main(u"btnMenu");
    p.closeButton = Main(u"closeBtn");
    p.firstTile = InCell(TopLeft(Main(u"gameTileLayout", {kLibraryPage, kLibraryLoaded})),
                         u"GameItem.xml", u"gameItemBk", 190, 270);
    const platform::Point version = TopLeft(Main(u"OwnGamePackagesTileLayout", {kDetailPage}));
    p.firstVersion = Offset(platform::Rect{0, 0, 815, 123}, version);
    p.firstVersionDownload =
        InCell(version, u"OwnGamePackageItemUI.xml", u"versionNowDownLoadBtn", 815, 123);
    p.returnButton = Main(u"returnBtn", {kDetailPage});
    p.ordersEmpty = Main(u"NoContent2",
                         {kOrdersPage, "ordersLoading.visible=false", "NoContent2.visible=true"});
    p.helpTitle = Main(u"UsingHelp", {kHelpPage});
    const platform::Point row = TopLeft(Main(u"downloadlist", {kDownloadsPage, kNoticeHidden}));
    p.rowStatus = InCell(row, u"DownloadList.xml", u"GameStatus", 800, 70);
    p.rowStop = InCell(row, u"DownloadList.xml", u"GameStop", 800, 70);
    p.rowPause = InCell(row, u"DownloadList.xml", u"GameSuspend", 800, 70);
    p.rowContinue = RowButton(row, u"LoadContinue", "GameContinue");
    p.rowOpenFolder = RowButton(row, u"GameFolder", "GameEndLoad");
    p.rowAgain = RowButton(row, u"GameOperation", "GameEndLoad");
    return p;
}

SelectionPlaces LayOutSelection() {
    SelectionPlaces p;
    const platform::Point rows = TopLeft(PlaceInMarkup(u"DownWnd.xml", u"tileItem"));
    p.firstCheck = InCell(rows, u"DownItem.xml", u"checkBtn", 321, 30);
    p.rowHeight = 30;  // the item size of "tileItem"
    p.download = PlaceInMarkup(u"DownWnd.xml", u"nowDownLoadBtn");
    p.summary = PlaceInMarkup(u"DownWnd.xml", u"fileCountLabel");
    return p;
}

}  // namespace

platform::Rect ShownWindow::At(const platform::Rect& client) const {
    return Offset(client, origin);
}

const MainPlaces& MainWindowPlaces() {
    static const MainPlaces places = LayOutMain();
    return places;
}

const SelectionPlaces& SelectionWindowPlaces() {
    static const SelectionPlaces places = LayOutSelection();
    return places;
}

const MessagePlaces& MessageWindowPlaces() {
    static const MessagePlaces places{PlaceInMarkup(u"MessageWnd.xml", u"btn_ok"),
                                      PlaceInMarkup(u"MessageWnd.xml", u"btn_cancel"),
                                      PlaceInMarkup(u"MessageWnd.xml", u"titleTips")};
    return places;
}

const SettingsPlaces& SettingsWindowPlaces() {
    static const SettingsPlaces places{PlaceInMarkup(u"SettingPathWnd.xml", u"savePathGame"),
                                       PlaceInMarkup(u"SettingPathWnd.xml", u"btnChangePath"),
                                       PlaceInMarkup(u"SettingPathWnd.xml", u"ConfirmBtn")};
    return places;
}

MenuPlaces MainMenuPlaces(platform::Point mainOrigin) {
    // The menu's top left lies 35 left of the menu button and 10 below it.
    const platform::Rect& button = MainWindowPlaces().menuButton;
    const platform::Point menu{mainOrigin.x + button.left - 35, mainOrigin.y + button.bottom + 10};
    return MenuPlaces{Offset(PlaceInMarkup(u"Menu.xml", u"settingGamePath"), menu)};
}

bool WaitForShownWindow(const std::string& title, ShownWindow& window) {
    platform::testdisplay::ScreenArea area;
    if (!WaitForWindow(title, area)) {
        return false;
    }
    window.origin = {area.x, area.y};
    return true;
}

bool WaitForWindowShowing(const std::string& title, platform::Point at,
                          const std::vector<uint32_t>& colours, ShownWindow& window) {
    return PollScreen(
        [&] {
            platform::testdisplay::ScreenArea area;
            if (!platform::testdisplay::FindShownWindow(title, area)) {
                return false;
            }
            window.origin = {area.x, area.y};
            const uint32_t seen = ColourAt(window.At(at));
            return std::find(colours.begin(), colours.end(), seen) != colours.end();
        },
        kScreenDeadline);
}

bool WaitForMainWindow(MainWindow& window) {
    // Its first frame may follow a moment after the window maps.
    return WaitForWindowShowing(kMainTitle, CentreOf(MainWindowPlaces().head), {0xFFFFFF}, window);
}

}  // namespace desktop
