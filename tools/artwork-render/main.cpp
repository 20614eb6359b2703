// kavrin-artwork-render MANIFEST OUTPUT_DIR
//
// Renders every image the manifest lists from its SVG source: PNG keeps alpha, JPEG is laid on
// white, GIF animates the source's placeholders over the given number of frames.
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/artwork-render/FrameTemplate.h"
#include "tools/artwork-render/ImageWriters.h"
#include "tools/artwork-render/Manifest.h"

namespace fs = std::filesystem;

namespace {

bool ReadText(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return static_cast<bool>(in);
}

// Renders one SVG text at its own pixel size, or scaled to `size` pixels wide; null (with a
// message) when it cannot.
cairo_surface_t* Render(const std::string& svg, int size, std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &gerror);
    if (handle == nullptr) {
        error = gerror ? gerror->message : "not an SVG";
        g_clear_error(&gerror);
        return nullptr;
    }
    gdouble width = 0;
    gdouble height = 0;
    cairo_surface_t* surface = nullptr;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) || width < 1 ||
        height < 1) {
        error = "the SVG needs a width and height in pixels";
    } else {
        if (size > 0) {
            height = height * size / width;
            width = size;
        }
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width),
                                             static_cast<int>(height));
        cairo_t* cr = cairo_create(surface);
        const RsvgRectangle viewport{0, 0, width, height};
        if (!rsvg_handle_render_document(handle, cr, &viewport, &gerror)) {
            error = gerror ? gerror->message : "cannot render";
            g_clear_error(&gerror);
            cairo_surface_destroy(surface);
            surface = nullptr;
        }
        cairo_destroy(cr);
    }
    g_object_unref(handle);
    return surface;
}

bool Produce(const ArtworkEntry& entry, const fs::path& sourceDir, const fs::path& outDir,
             std::string& error) {
    std::string svg;
    if (!ReadText(sourceDir / entry.source, svg)) {
        error = "cannot read " + entry.source;
        return false;
    }
    const fs::path target = outDir / entry.output;
    fs::create_directories(target.parent_path());
    const std::string extension = target.extension().string();
    const int frames = extension == ".gif" ? entry.frames : 1;
    std::vector<cairo_surface_t*> surfaces;
    bool ok = true;
    for (int i = 0; ok && i < frames; ++i) {
        std::string frame;
        ok = ExpandFrame(svg, static_cast<double>(i) / frames, frame, error);
        cairo_surface_t* surface = ok ? Render(frame, entry.size, error) : nullptr;
        ok = surface != nullptr;
        if (ok) {
            surfaces.push_back(surface);
        }
    }
    if (ok) {
        if (extension == ".png") {
            ok = WritePng(surfaces[0], target.string());
        } else if (extension == ".jpg") {
            ok = WriteJpeg(surfaces[0], target.string(), entry.quality);
        } else if (extension == ".gif") {
            ok = WriteGif(surfaces, entry.delayMs, target.string());
        } else {
            ok = false;
            error = "unknown image kind " + extension;
        }
        if (!ok && error.empty()) {
            error = "cannot write " + target.string();
        }
    }
    for (cairo_surface_t* surface : surfaces) {
        cairo_surface_destroy(surface);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kavrin-artwork-render MANIFEST OUTPUT_DIR\n");
        return 2;
    }
    std::vector<ArtworkEntry> entries;
    std::string error;
    if (!ReadManifest(argv[1], entries, error)) {
        std::fprintf(stderr, "kavrin-artwork-render: %s\n", error.c_str());
        return 1;
    }
    const fs::path sourceDir = fs::path(argv[1]).parent_path();
    for (const ArtworkEntry& entry : entries) {
        if (!Produce(entry, sourceDir, argv[2], error)) {
            std::fprintf(stderr, "kavrin-artwork-render: %s (line %d): %s\n", entry.output.c_str(),
                         entry.line, error.c_str());
            return 1;
        }
    }
    return 0;
}
