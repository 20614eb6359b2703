#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

typedef struct _cairo_surface cairo_surface_t;

namespace uikit {

class SkinArchive;

// A decoded image: a premultiplied ARGB32 cairo surface, top-down, plus what it was loaded with.
struct ImageData {
    ImageData() = default;
    ~ImageData();
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    cairo_surface_t* surface = nullptr;
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::u16string resType;
    uint32_t mask = 0;

    uint32_t Pixel(int x, int y) const;  // for tests and hit checks
};

// Decodes PNG, JPEG, BMP and GIF (first frame) within the image limits; other formats are
// refused. Each pixel is premultiplied; one whose premultiplied value equals `mask` becomes
// fully transparent.
std::shared_ptr<ImageData> DecodeImage(std::span<const uint8_t> bytes, uint32_t mask);

// Builds an image from 8-bit RGBA rows (the decoder's output) by the same rules.
std::shared_ptr<ImageData> ImageFromRgba(const uint8_t* rgba, int width, int height, uint32_t mask);

// Loads by name: resource type "*COLOR*" makes a 1x1 image of the colour written as the name;
// another type reads the program's resource with that numeric name; no type reads the skin
// archive and then the name as a plain file. Null when nothing is found or decodable.
std::shared_ptr<ImageData> LoadImageUI(std::u16string_view name, std::u16string_view resType,
                                       uint32_t mask, const SkinArchive& archive);

}  // namespace uikit
