// Skin image decoding: the still decoder and the animation frames.
#include <cstddef>
#include <cstdint>
#include <span>

#include "uikit/image/GifFrames.h"
#include "uikit/image/ImageData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (const auto image = uikit::DecodeImage(bytes, 0xFF00FF00u)) {
        volatile uint32_t corner = image->Pixel(image->width - 1, image->height - 1);
        (void)corner;
    }
    const uikit::GifAnimation animation = uikit::DecodeGifFrames(bytes);
    volatile size_t frames = animation.frames.size() + animation.delaysMs.size();
    (void)frames;
    return 0;
}
