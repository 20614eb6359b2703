#pragma once

#include <vector>

#include "platform/Resource.h"
#include "uikit/image/SkinArchive.h"

// The skin the build linked into this test program (see skin/): fonts.xml, Placeholder.xml and
// the generated img/placeholder.png (24x24: red 4x4 corners, blue edges, green centre, and a
// magenta 4x4 square at 10,10).
inline const uikit::SkinArchive& LinkedSkin() {
    static uikit::SkinArchive* archive = [] {
        auto* created = new uikit::SkinArchive();
        const auto bytes = platform::FindResource("ZIPRES", 131);
        created->SetFromMemory(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return created;
    }();
    return *archive;
}

inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kBlue = 0xFF0000FF;
inline constexpr uint32_t kGreen = 0xFF009900;
inline constexpr uint32_t kMagenta = 0xFFFF00FF;
