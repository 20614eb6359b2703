#include "uikit/image/GifFrames.h"

#include <stb_image.h>

#include <cstdint>
#include <optional>

#include "uikit/image/GifLayout.h"
#include "uikit/image/ImageLimits.h"
#include "uikit/image/SkinArchive.h"

namespace uikit {

namespace {

// The decoder keeps every frame as a full canvas in one allocation, so the canvas and the
// number of frames are checked against the limits before it runs.
bool FitsAnimationLimits(std::span<const uint8_t> bytes) {
    const std::optional<GifLayout> layout = ReadGifLayout(bytes);
    return layout && layout->frames > 0 && FitsImageLimits(layout->width, layout->height) &&
           layout->frames * layout->width * layout->height <= kMaxAnimationPixels;
}

}  // namespace

GifAnimation DecodeGifFrames(std::span<const uint8_t> bytes) {
    GifAnimation animation;
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX) ||
        !FitsAnimationLimits(bytes)) {
        return animation;
    }
    int* delays = nullptr;
    int width = 0;
    int height = 0;
    int frames = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_gif_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                &delays, &width, &height, &frames, &channels, 4);
    if (!pixels) {
        return animation;
    }
    if (!FitsImageLimits(width, height)) {
        frames = 0;  // the decoder's canvas is not the one the header promised
    }
    const size_t frameBytes = static_cast<size_t>(width) * height * 4;
    for (int i = 0; i < frames; ++i) {
        std::shared_ptr<ImageData> frame = ImageFromRgba(pixels + frameBytes * i, width, height, 0);
        if (!frame) {
            animation.frames.clear();
            animation.delaysMs.clear();
            break;
        }
        animation.frames.push_back(std::move(frame));
        animation.delaysMs.push_back(delays ? delays[i] : 0);
    }
    if (!animation.frames.empty()) {
        animation.width = width;
        animation.height = height;
    }
    stbi_image_free(pixels);
    stbi_image_free(delays);
    return animation;
}

GifAnimation LoadGifAnimation(std::u16string_view name, const SkinArchive& archive) {
    const SkinArchive::ReadResult file = archive.ReadImage(name);
    if (file.error != SkinReadError::None) {
        return {};
    }
    return DecodeGifFrames(file.bytes);
}

}  // namespace uikit
