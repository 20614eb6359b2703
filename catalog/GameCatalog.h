#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "context/DownloadRecord.h"

// One downloadable version of a game. Packages with equal `type` are versions of one game.
struct GamePackage {
    int32_t id = 0;
    int32_t version = 0;
    std::u16string name;
    std::u16string rate;
    std::u16string tag;  // tag texts separated by ","
    std::u16string issueDate;
    std::u16string developer;
    std::u16string supportLanguages;
    std::u16string size;            // display text, not a number
    std::u16string gameDetailPage;  // file name inside the skin folder "img/gif/"
    std::u16string gameCoverPage;   // file name inside the skin folder "img/cover/"
    int32_t type = 0;
    std::u16string label;  // exactly "1" puts the package on the library page
    std::vector<DownloadRecord> files;

    bool InLibrary() const { return label == u"1"; }
};

// The packages in server order. Filled once by LoadCatalog and never changed afterwards, so
// views keep plain pointers to its elements.
using GameCatalog = std::vector<GamePackage>;

// The process-wide catalogue.
GameCatalog& ProcessCatalog();
