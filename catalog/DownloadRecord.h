#pragma once

#include <cstdint>
#include <string>

// One file of a game package and, once started, one download.
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
