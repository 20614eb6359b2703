#pragma once

#include <string>
#include <vector>

// One image of the skin: which vector source draws it, where it goes, and how it is encoded.
struct ArtworkEntry {
    std::string output;  // path inside the skin, e.g. "img/cover/cs.jpg"
    std::string source;  // SVG file beside the manifest
    int frames = 1;      // animation frames (GIF only)
    int delayMs = 100;   // delay of each frame
    int quality = 90;    // JPEG quality
    int size = 0;        // width in pixels, the height in proportion; 0 = the source's own
    int line = 0;
};

// Reads "OUTPUT SOURCE [frames=N] [delay=MS] [quality=Q] [size=PX]" lines; "#" starts a comment.
// False with a message naming the line for anything it cannot read.
bool ReadManifest(const std::string& path, std::vector<ArtworkEntry>& entries, std::string& error);
