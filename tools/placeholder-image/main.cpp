// Writes the placeholder artwork into the staged skin folder given as the only argument.
//
// img/placeholder.png (24x24) is laid out so that a nine-part stretch with 4-pixel corners shows
// at a glance whether it is right: red corners, blue edges, a green centre, and a magenta centre
// square for the skin's mask colour.
#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

void Fill(cairo_t* cr, double x, double y, double w, double h, double r, double g, double b) {
    cairo_set_source_rgb(cr, r, g, b);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

bool WritePlaceholder(const std::filesystem::path& file) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 24);
    cairo_t* cr = cairo_create(surface);
    Fill(cr, 0, 0, 24, 24, 0, 0.6, 0);  // centre
    Fill(cr, 4, 0, 16, 4, 0, 0, 1);     // edges
    Fill(cr, 4, 20, 16, 4, 0, 0, 1);
    Fill(cr, 0, 4, 4, 16, 0, 0, 1);
    Fill(cr, 20, 4, 4, 16, 0, 0, 1);
    for (int x : {0, 20}) {
        for (int y : {0, 20}) {
            Fill(cr, x, y, 4, 4, 1, 0, 0);  // corners
        }
    }
    Fill(cr, 10, 10, 4, 4, 1, 0, 1);  // mask colour
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kavrin-placeholder-image STAGED_SKIN_FOLDER\n");
        return 2;
    }
    const std::filesystem::path img = std::filesystem::path(argv[1]) / "img";
    std::filesystem::create_directories(img);
    if (!WritePlaceholder(img / "placeholder.png")) {
        std::fprintf(stderr, "kavrin-placeholder-image: cannot write %s\n",
                     (img / "placeholder.png").c_str());
        return 1;
    }
    return 0;
}
