#include "uikit/image/ImageData.h"

#include <cairo.h>
#include <stb_image.h>

#include <optional>

#include "common/TextConvert.h"
#include "platform/Resource.h"
#include "uikit/draw/Color.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/image/ImageLimits.h"
#include "uikit/image/JpegDecoder.h"
#include "uikit/image/PngDecoder.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

ImageData::~ImageData() {
    if (surface) {
        cairo_surface_destroy(surface);
    }
}

uint32_t ImageData::Pixel(int x, int y) const {
    if (!surface || x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) +
                               static_cast<size_t>(y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x];
}

std::shared_ptr<ImageData> ImageFromRgba(const uint8_t* rgba, int width, int height,
                                         uint32_t mask) {
    auto image = std::make_shared<ImageData>();
    image->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(image->surface) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    image->width = width;
    image->height = height;
    image->mask = mask;
    cairo_surface_flush(image->surface);
    unsigned char* data = cairo_image_surface_get_data(image->surface);
    const int stride = cairo_image_surface_get_stride(image->surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        const uint8_t* src = rgba + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, src += 4) {
            uint32_t pixel = PremultiplyPixel(src[0], src[1], src[2], src[3]);
            if (src[3] < 255) {
                image->hasAlpha = true;
            }
            if (pixel == mask) {
                pixel = 0;
                image->hasAlpha = true;
            }
            row[x] = pixel;
        }
    }
    cairo_surface_mark_dirty(image->surface);
    return image;
}

namespace {

bool LooksLikeGif(std::span<const uint8_t> bytes) {
    return bytes.size() >= 6 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F';
}

bool LooksLikeBmp(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// GIF and BMP stay with the small decoder, but only once the header's size has passed the
// limits: that decoder allocates whatever the header asks for.
std::shared_ptr<ImageData> DecodeWithStb(std::span<const uint8_t> bytes, uint32_t mask) {
    int width = 0;
    int height = 0;
    int channels = 0;
    const int length = static_cast<int>(bytes.size());
    if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels) ||
        !FitsImageLimits(width, height)) {
        return nullptr;
    }
    stbi_uc* rgba = stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 4);
    if (!rgba) {
        return nullptr;
    }
    std::shared_ptr<ImageData> image =
        FitsImageLimits(width, height) ? ImageFromRgba(rgba, width, height, mask) : nullptr;
    stbi_image_free(rgba);
    return image;
}

std::shared_ptr<ImageData> FromPixels(const std::optional<RgbaPixels>& pixels, uint32_t mask) {
    return pixels ? ImageFromRgba(pixels->rgba.data(), pixels->width, pixels->height, mask)
                  : nullptr;
}

}  // namespace

std::shared_ptr<ImageData> DecodeImage(std::span<const uint8_t> bytes, uint32_t mask) {
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) {
        return nullptr;
    }
    if (LooksLikePng(bytes)) {
        return FromPixels(DecodePng(bytes), mask);
    }
    if (LooksLikeJpeg(bytes)) {
        return FromPixels(DecodeJpeg(bytes), mask);
    }
    if (LooksLikeGif(bytes) || LooksLikeBmp(bytes)) {
        return DecodeWithStb(bytes, mask);
    }
    return nullptr;  // the skin holds no other format
}

namespace {

std::shared_ptr<ImageData> SolidColorImage(std::u16string_view color) {
    const uint32_t argb = ParseColor(color);
    const uint8_t rgba[4] = {ColorRed(argb), ColorGreen(argb), ColorBlue(argb), ColorAlpha(argb)};
    return ImageFromRgba(rgba, 1, 1, 0);
}

}  // namespace

std::shared_ptr<ImageData> LoadImageUI(std::u16string_view name, std::u16string_view resType,
                                       uint32_t mask, const SkinArchive& archive) {
    std::shared_ptr<ImageData> image;
    if (resType == kColorResType) {
        image = SolidColorImage(name);
    } else if (!resType.empty()) {
        image = DecodeImage(platform::FindResource(Utf16ToAnsi(resType), ParseInt(name)), mask);
    } else {
        const SkinArchive::ReadResult file = archive.ReadImage(name);
        if (file.error == SkinReadError::None) {
            image = DecodeImage(file.bytes, mask);
        }
    }
    if (image) {
        image->resType = resType;
        image->mask = resType == kColorResType ? 0 : mask;
    }
    return image;
}

}  // namespace uikit
