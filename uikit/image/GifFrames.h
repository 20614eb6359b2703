#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "uikit/image/ImageData.h"

namespace uikit {

class SkinArchive;

// Every frame of an animated image as a full canvas, with how long each stays on screen.
struct GifAnimation {
    std::vector<std::shared_ptr<ImageData>> frames;
    std::vector<int> delaysMs;  // one per frame; 0 when the file gives none
    int width = 0;
    int height = 0;
};

// Empty (no frames) when the bytes are not a decodable GIF.
GifAnimation DecodeGifFrames(std::span<const uint8_t> bytes);

// Reads an animation the way images are found: the skin archive, then the name as a plain file.
GifAnimation LoadGifAnimation(std::u16string_view name, const SkinArchive& archive);

}  // namespace uikit
