#pragma once

#include <chrono>
#include <string>

#include "tools/desktop-driver/KavrinPlaces.h"
#include "tools/desktop-driver/MarkupPlaces.h"

// A player at the virtual screen: each step clicks or types what a person would and waits until
// the screen shows the step's result at the points the skin gives, or fails with `Error()`
// naming what did not show.
namespace desktop {

// Colours the skin gives the checked points.
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kTileColour = 0xF8FDFF;     // a tile's background, pointer away
inline constexpr uint32_t kWindowBorder = 0xDCDCDC;   // the dialogs' border
inline constexpr uint32_t kButtonBlue = 0x347AEA;     // blue buttons, pointer away
inline constexpr uint32_t kButtonBlueHot = 0x1F98FA;  // and under the pointer
inline constexpr uint32_t kRowButtonRim = 0xCFE2FF;   // the row buttons' border
inline constexpr uint32_t kStopButtonRim = 0xF5C2C0;  // "停止下载" has a red one

class KavrinPlayer {
  public:
    const std::string& Error() const { return error_; }
    const MainWindow& Main() const { return main_; }

    bool FindMainWindow();
    bool SeeLibrary();
    bool HoverFirstTile();
    bool OpenFirstGame();
    bool OpenSelection();
    bool UntickSelectionRow(int index);
    bool DownloadSelection();  // leaves the notice open
    bool CloseNotice();
    // With `downloading`, waits until the first row offers "停止下载".
    bool OpenMyDownloads(bool downloading = true);
    bool SeeProgressMove();
    bool PauseFirstRow();
    bool ContinueFirstRow();
    bool SeeFirstRowComplete(std::chrono::milliseconds deadline);
    bool OpenOrders();
    bool OpenHelp();
    bool OpenMenu();
    bool OpenSettings();  // from the open menu
    bool ChooseFolder(const std::string& folder);
    bool CloseSettings();
    bool AskToQuit();
    bool CancelQuit();
    bool ConfirmQuit();

  private:
    bool Fail(std::string what);
    bool Click(platform::Point at);
    bool ClickMain(const platform::Rect& client) { return Click(main_.At(CentreOf(client))); }
    bool WaitForRow(const platform::Rect& button, uint32_t rim, const char* what);
    bool WaitForBlueButton(const char* title, const platform::Rect& button, ShownWindow& window);

    MainWindow main_;
    ShownWindow selection_;
    ShownWindow message_;
    ShownWindow settings_;
    std::string error_;
};

}  // namespace desktop
