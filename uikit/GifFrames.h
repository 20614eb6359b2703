#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "uikit/ImageData.h"

namespace uikit {

// Every frame of an animated image as a full canvas, with how long each stays on screen.
struct GifAnimation {
    std::vector<std::shared_ptr<ImageData>> frames;
    std::vector<int> delaysMs;  // one per frame; 0 when the file gives none
    int width = 0;
    int height = 0;
};

// Empty (no frames) when the bytes are not a decodable GIF.
GifAnimation DecodeGifFrames(std::span<const uint8_t> bytes);

}  // namespace uikit
