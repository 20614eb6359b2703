#include "tools/desktop-driver/KavrinPlayer.h"

#include "platform/linux/testing/VirtualDisplay.h"
#include "tools/desktop-driver/MarkupPlaces.h"
#include "tools/desktop-driver/ScreenWatch.h"

namespace td = platform::testdisplay;

namespace desktop {
namespace {

constexpr unsigned long kControlKey = 0xffe3;  // Control_L
constexpr unsigned long kReturnKey = 0xff0d;
constexpr unsigned long kEscapeKey = 0xff1b;

// A point inside a control, clear of its rounded corners and of the text at its centre.
platform::Point Inside(const platform::Rect& rect) {
    return {rect.left + 3, rect.top + 3};
}

}  // namespace

bool KavrinPlayer::Fail(std::string what) {
    error_ = std::move(what);
    return false;
}

bool KavrinPlayer::Click(platform::Point at) {
    // The pointer arrives first, as a hand does, so that the control under it is hot.
    return td::MovePointerTo(at.x, at.y) && td::ClickAt(at.x, at.y);
}

bool KavrinPlayer::FindMainWindow() {
    return WaitForMainWindow(main_) || Fail("the main window with its white head did not show");
}

bool KavrinPlayer::SeeLibrary() {
    const platform::Point tile = main_.At(Inside(MainWindowPlaces().firstTile));
    return WaitForColour(tile, kTileColour) || Fail("the library shows no first tile");
}

bool KavrinPlayer::HoverFirstTile() {
    const platform::Rect& tile = MainWindowPlaces().firstTile;
    const platform::Point centre = main_.At(CentreOf(tile));
    return (td::MovePointerTo(centre.x, centre.y) &&
            WaitForOtherColour(main_.At(Inside(tile)), kTileColour)) ||
           Fail("the first tile does not light up under the pointer");
}

bool KavrinPlayer::OpenFirstGame() {
    return (ClickMain(MainWindowPlaces().firstTile) &&
            WaitForColour(main_.At(Inside(MainWindowPlaces().firstVersion)), kWhite)) ||
           Fail("the detail page shows no version");
}

bool KavrinPlayer::OpenSelection() {
    // Half-way down the window's left border.
    const platform::Point border{0, SelectionWindowPlaces().summary.top};
    return (ClickMain(MainWindowPlaces().firstVersionDownload) &&
            WaitForWindowShowing(kSelectionTitle, border, {kWindowBorder}, selection_)) ||
           Fail("\"立即下载\" opened no selection window with its border");
}

bool KavrinPlayer::UntickSelectionRow(int index) {
    const SelectionPlaces& places = SelectionWindowPlaces();
    const platform::Rect box =
        selection_.At(Offset(places.firstCheck, platform::Point{0, places.rowHeight * index}));
    const std::vector<uint32_t> ticked = AreaPixels(box);
    return (Click(CentreOf(box)) && WaitForAreaChange(box, ticked)) ||
           Fail("the check box of row " + std::to_string(index) + " did not change");
}

bool KavrinPlayer::WaitForBlueButton(const char* title, const platform::Rect& button,
                                     ShownWindow& window) {
    return WaitForWindowShowing(title, Inside(button), {kButtonBlue, kButtonBlueHot}, window);
}

bool KavrinPlayer::DownloadSelection() {
    const platform::Rect& download = SelectionWindowPlaces().download;
    return (Click(selection_.At(CentreOf(download))) &&
            WaitForBlueButton(kMessageTitle, MessageWindowPlaces().ok, message_)) ||
           Fail("the download button showed no notice with its \"确定\"");
}

bool KavrinPlayer::CloseNotice() {
    return (Click(message_.At(CentreOf(MessageWindowPlaces().ok))) &&
            WaitForWindowGone(kMessageTitle) && WaitForWindowGone(kSelectionTitle)) ||
           Fail("the notice and the selection window did not close");
}

bool KavrinPlayer::WaitForRow(const platform::Rect& button, uint32_t rim, const char* what) {
    return WaitForColour(main_.At(LeftBorderOf(button)), rim) ||
           Fail(std::string("the first row of \"我的下载\" does not show ") + what);
}

bool KavrinPlayer::OpenMyDownloads(bool downloading) {
    if (!ClickMain(MainWindowPlaces().myDownloads)) {
        return Fail("cannot click \"我的下载\"");
    }
    return !downloading || WaitForRow(MainWindowPlaces().rowStop, kStopButtonRim, "\"停止下载\"");
}

bool KavrinPlayer::SeeProgressMove() {
    const platform::Rect status = main_.At(MainWindowPlaces().rowStatus);
    const std::vector<uint32_t> before = AreaPixels(status);
    return WaitForAreaChange(status, before) || Fail("the progress text does not move");
}

bool KavrinPlayer::PauseFirstRow() {
    const MainPlaces& places = MainWindowPlaces();
    if (!ClickMain(places.rowPause) ||
        !WaitForRow(places.rowContinue, kRowButtonRim, "\"继续下载\"")) {
        return false;
    }
    // Only the one button of the paused group is left.
    return ColourAt(main_.At(LeftBorderOf(places.rowPause))) != kRowButtonRim ||
           Fail("a paused row still offers \"暂停下载\"");
}

bool KavrinPlayer::ContinueFirstRow() {
    const MainPlaces& places = MainWindowPlaces();
    return ClickMain(places.rowContinue) &&
           WaitForRow(places.rowStop, kStopButtonRim, "\"停止下载\" after \"继续下载\"");
}

bool KavrinPlayer::SeeFirstRowComplete(std::chrono::milliseconds deadline) {
    const platform::Point again = main_.At(LeftBorderOf(MainWindowPlaces().rowAgain));
    return WaitForColour(again, kRowButtonRim, deadline) ||
           Fail("the first row does not show \"下载完成\" with \"重新下载\"");
}

bool KavrinPlayer::OpenOrders() {
    return ClickMain(MainWindowPlaces().orders) || Fail("cannot click \"我的订单\"");
}

bool KavrinPlayer::OpenHelp() {
    return ClickMain(MainWindowPlaces().help) || Fail("cannot click \"使用帮助\"");
}

bool KavrinPlayer::OpenMenu() {
    const platform::Point item = Inside(MainMenuPlaces(main_.origin).settings);
    return (ClickMain(MainWindowPlaces().menuButton) && WaitForColour(item, kWhite)) ||
           Fail("the main menu did not drop down");
}

bool KavrinPlayer::OpenSettings() {
    return (Click(CentreOf(MainMenuPlaces(main_.origin).settings)) &&
            WaitForBlueButton(kSettingsTitle, SettingsWindowPlaces().change, settings_)) ||
           Fail("\"设置\" opened no settings window with its \"修改目录\"");
}

bool KavrinPlayer::ChooseFolder(const std::string& folder) {
    // The main window's head as it is drawn now, before the chooser covers it: with no compositor
    // the main window must draw it again once the chooser is gone, and only its own pixels show
    // that it has (a capture of the chooser can be taken before the chooser has painted).
    const platform::Rect head = main_.At(MainWindowPlaces().head);
    const platform::Point change = settings_.At(CentreOf(SettingsWindowPlaces().change));
    if (!td::MovePointerTo(change.x, change.y) || !WaitForStillArea(head, kScreenDeadline)) {
        return Fail("the main window's head does not hold still before \"修改目录\"");
    }
    const std::vector<uint32_t> ownHead = AreaPixels(head);
    ShownWindow chooser;
    if (!Click(change) || !WaitForShownWindow(kFolderChooserTitle, chooser)) {
        return Fail("\"修改目录\" opened no folder chooser");
    }
    // Keys go to the window under the pointer while no window manager hands out the focus.
    const platform::Point inside = chooser.At(platform::Point{40, 40});
    if (!td::MovePointerTo(inside.x, inside.y) || !td::TypeKeyWith(kControlKey, 'l') ||
        !td::TypeText(folder) || !td::TypeKey(kReturnKey)) {
        return Fail("cannot type into the folder chooser");
    }
    if (!WaitForWindowGone(kFolderChooserTitle)) {
        return Fail("the folder chooser did not take the typed folder");
    }
    // The pointer goes back where it was, so no button of the head is shown hot.
    return (td::MovePointerTo(change.x, change.y) && WaitForAreaPixels(head, ownHead)) ||
           Fail("the main window was not drawn again where the folder chooser lay");
}

bool KavrinPlayer::CloseSettings() {
    return (Click(settings_.At(CentreOf(SettingsWindowPlaces().confirm))) &&
            WaitForWindowGone(kSettingsTitle)) ||
           Fail("the settings window did not close");
}

bool KavrinPlayer::AskToQuit() {
    return (ClickMain(MainWindowPlaces().closeButton) &&
            WaitForBlueButton(kMessageTitle, MessageWindowPlaces().ok, message_)) ||
           Fail("the close button showed no quit confirmation with its \"确定\"");
}

bool KavrinPlayer::CancelQuit() {
    const platform::Point text = message_.At(CentreOf(MessageWindowPlaces().text));
    return (td::MovePointerTo(text.x, text.y) && td::TypeKey(kEscapeKey) &&
            WaitForWindowGone(kMessageTitle)) ||
           Fail("Escape did not close the quit confirmation");
}

bool KavrinPlayer::ConfirmQuit() {
    return Click(message_.At(CentreOf(MessageWindowPlaces().ok))) || Fail("cannot click \"确定\"");
}

}  // namespace desktop
