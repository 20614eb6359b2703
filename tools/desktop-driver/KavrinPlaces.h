#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

// Where the windows of Kavrin put what a player clicks and looks at, in client coordinates of
// their window, read from the skin; and where those windows are on the screen.
namespace desktop {

// The main window's frame, pages and the first entries of its lists.
struct MainPlaces {
    platform::Rect head;
    platform::Rect library, myDownloads, orders, help;  // the navigation options
    platform::Rect menuButton, closeButton;
    platform::Rect firstTile;             // the first library tile's background
    platform::Rect firstVersion;          // the detail page's first version
    platform::Rect firstVersionDownload;  // its "立即下载"
    platform::Rect returnButton;
    platform::Rect ordersEmpty, helpTitle;
    // The first row of "我的下载", each button where its group shows it.
    platform::Rect rowStatus, rowStop, rowPause, rowContinue, rowOpenFolder, rowAgain;
};

// The selection window: the check box of row `index` and the download button.
struct SelectionPlaces {
    platform::Rect firstCheck;
    int rowHeight = 0;
    platform::Rect download, summary;
};

struct MessagePlaces {
    platform::Rect ok, cancel, text;
};

struct SettingsPlaces {
    platform::Rect folder, change, confirm;
};

// The main menu, placed by the program below its button.
struct MenuPlaces {
    platform::Rect settings;
};

const MainPlaces& MainWindowPlaces();
const SelectionPlaces& SelectionWindowPlaces();
const MessagePlaces& MessageWindowPlaces();
const SettingsPlaces& SettingsWindowPlaces();
// In screen coordinates, for a main window whose client area starts at `mainOrigin`.
MenuPlaces MainMenuPlaces(platform::Point mainOrigin);

// The titles the program gives its windows.
inline constexpr const char* kMainTitle = "Kavrin";
inline constexpr const char* kSelectionTitle = "DownWnd";
inline constexpr const char* kMessageTitle = "MessageWnd";
inline constexpr const char* kSettingsTitle = "SettingPathWnd";
inline constexpr const char* kFolderChooserTitle = "选择文件路径";

// A shown window of the program: where its client area starts on the screen.
struct ShownWindow {
    platform::Point origin;
    platform::Point At(platform::Point client) const {
        return {origin.x + client.x, origin.y + client.y};
    }
    platform::Rect At(const platform::Rect& client) const;
};

using MainWindow = ShownWindow;

// The main window once it shows its white head.
bool WaitForMainWindow(MainWindow& window);
bool WaitForShownWindow(const std::string& title, ShownWindow& window);
// The shown window once its client point `at` has one of `colours`. The program maps a window
// before it centres it, so a place counts only once the window shows what it should there.
bool WaitForWindowShowing(const std::string& title, platform::Point at,
                          const std::vector<uint32_t>& colours, ShownWindow& window);

}  // namespace desktop
