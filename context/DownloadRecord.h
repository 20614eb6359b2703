#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One file of a game package and, once started, one download. The catalogue makes the records
// of package files; the download side keeps those of started downloads.
enum DownloadStatus : int32_t {
    Idle = 0,
    Downloading = 1,
    Completed = 2,
    Paused = 3,
    Failed = 4,
};

struct DownloadRecord {
    std::u16string name;       // file name without extension, also the row's title
    std::u16string url;        // download address
    int32_t size = 0;          // megabytes
    std::u16string sizeStr;    // size as display text
    std::u16string img;        // skin path of the row's logo
    int32_t status = Idle;     // a DownloadStatus
    std::u16string extension;  // appended to name to form the saved file name
    std::u16string loadTime;   // local time of the last start
    int32_t type = 0;          // identifier of the game
};

// The files a player picked in the selection window, in row order. It travels with
// MSG_START_DOWNLOADS as a heap object whose ownership passes to the main window; the records
// that become downloads move on to their rows, the others go with the list.
using DownloadSelection = std::vector<std::unique_ptr<DownloadRecord>>;
