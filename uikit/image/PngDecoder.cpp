#include "uikit/image/PngDecoder.h"

#include <png.h>

#include <new>

#include "uikit/image/ImageLimits.h"

namespace uikit {

namespace {

// Frees what the reader holds however decoding ends.
struct PngReader {
    png_image image{};
    PngReader() { image.version = PNG_IMAGE_VERSION; }
    ~PngReader() { png_image_free(&image); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
};

}  // namespace

bool LooksLikePng(std::span<const uint8_t> bytes) {
    return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

// The simplified reader keeps libpng's error jumps inside libpng: a damaged file comes back as
// a failed call. Its 8-bit RGBA output is straight alpha, without gamma changes for files that
// state none, the same pixels the skin's artwork was written with.
std::optional<RgbaPixels> DecodePng(std::span<const uint8_t> bytes) {
    PngReader reader;
    if (!LooksLikePng(bytes) ||
        !png_image_begin_read_from_memory(&reader.image, bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    if (!FitsImageLimits(reader.image.width, reader.image.height)) {
        return std::nullopt;
    }
    reader.image.format = PNG_FORMAT_RGBA;
    RgbaPixels pixels;
    pixels.width = static_cast<int>(reader.image.width);
    pixels.height = static_cast<int>(reader.image.height);
    try {
        pixels.rgba.resize(PNG_IMAGE_SIZE(reader.image));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!png_image_finish_read(&reader.image, nullptr, pixels.rgba.data(), 0, nullptr)) {
        return std::nullopt;
    }
    return pixels;
}

}  // namespace uikit
