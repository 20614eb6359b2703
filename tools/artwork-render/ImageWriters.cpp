#include "tools/artwork-render/ImageWriters.h"

#include <gif_lib.h>
#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

struct Rgb {
    uint8_t r, g, b;
};

// Un-premultiplies one ARGB32 pixel and lays it on white.
Rgb OnWhite(uint32_t argb) {
    const uint32_t a = argb >> 24;
    const auto channel = [a](uint32_t premultiplied) {
        return static_cast<uint8_t>(premultiplied + (255 - a));
    };
    return {channel((argb >> 16) & 0xFF), channel((argb >> 8) & 0xFF), channel(argb & 0xFF)};
}

template <typename Visit>
void ForEachPixel(cairo_surface_t* surface, Visit visit) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            visit(x, y, OnWhite(row[x]));
        }
    }
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

bool AddLoopExtension(GifFileType* gif) {
    static const unsigned char kNetscape[] = "NETSCAPE2.0";
    static const unsigned char kLoopForever[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, kNetscape) == GIF_OK &&
           EGifPutExtensionBlock(gif, 3, kLoopForever) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrame(GifFileType* gif, cairo_surface_t* surface, int delayMs) {
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<GifByteType> r(count), g(count), b(count), indices(count);
    ForEachPixel(surface, [&](int x, int y, Rgb p) {
        const size_t i =
            static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
        r[i] = p.r, g[i] = p.g, b[i] = p.b;
    });
    int colours = 256;
    std::vector<GifColorType> palette(256);
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &colours,
                          r.data(), g.data(), b.data(), indices.data(), palette.data()) != GIF_OK) {
        return false;
    }
    ColorMapObject* map = GifMakeMapObject(256, palette.data());
    GraphicsControlBlock control{};
    control.DelayTime = delayMs / 10;  // GIF counts hundredths of a second
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t extensionLength = EGifGCBToExtension(&control, extension);
    bool ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength),
                               extension) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, map) == GIF_OK;
    for (int y = 0; ok && y < height; ++y) {
        ok = EGifPutLine(gif, indices.data() + static_cast<size_t>(y) * static_cast<size_t>(width),
                         width) == GIF_OK;
    }
    GifFreeMapObject(map);
    return ok;
}

}  // namespace

bool WritePng(cairo_surface_t* surface, const std::string& path) {
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool WriteJpeg(cairo_surface_t* surface, const std::string& path, int quality) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    ForEachPixel(surface, [&](int x, int y, Rgb p) {
        uint8_t* out =
            &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) *
                 3];
        out[0] = p.r, out[1] = p.g, out[2] = p.b;
    });
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            &rgb[static_cast<size_t>(info.next_scanline) * static_cast<size_t>(width) * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::ferror(file.get()) == 0;
}

bool WriteGif(const std::vector<cairo_surface_t*>& frames, int delayMs, const std::string& path) {
    if (frames.empty()) {
        return false;
    }
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr) {
        return false;
    }
    EGifSetGifVersion(gif, true);
    bool ok =
        EGifPutScreenDesc(gif, cairo_image_surface_get_width(frames[0]),
                          cairo_image_surface_get_height(frames[0]), 8, 0, nullptr) == GIF_OK &&
        AddLoopExtension(gif);
    for (cairo_surface_t* frame : frames) {
        ok = ok && PutFrame(gif, frame, delayMs);
    }
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}
