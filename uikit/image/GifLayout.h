#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace uikit {

// What a GIF's blocks say before any pixel is decoded: the canvas and how many frames follow.
struct GifLayout {
    int width = 0;
    int height = 0;
    int64_t frames = 0;
};

// Walks the blocks without decoding them. Nothing when the header is not a GIF's, a frame
// reaches outside the canvas, or a block runs past the end of the bytes. Bytes after the last
// whole frame with no trailer are left to the decoder to judge.
std::optional<GifLayout> ReadGifLayout(std::span<const uint8_t> bytes);

}  // namespace uikit
