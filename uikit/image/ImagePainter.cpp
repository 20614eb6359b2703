#include "uikit/image/ImagePainter.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>

#include "uikit/image/ImageData.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/resources/ResourceTablesUI.h"

namespace uikit {

namespace {

bool IsZero(const Rect& rc) {
    return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0;
}

struct Part {
    Rect dest;
    Rect source;
    bool xTiled = false;
    bool yTiled = false;
};

// Copies one part of the image into `dest`, scaling each axis that is not tiled. The part is
// read through a sub-surface padded at its edges, so stretching never bleeds in neighbouring
// pixels of the image.
void DrawPart(cairo_t* cr, cairo_surface_t* image, const Part& part, double alpha) {
    if (part.dest.IsEmpty() || part.source.IsEmpty()) {
        return;
    }
    cairo_surface_t* sub = cairo_surface_create_for_rectangle(
        image, part.source.left, part.source.top, part.source.Width(), part.source.Height());
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(sub);
    const bool tiled = part.xTiled || part.yTiled;
    cairo_pattern_set_extend(pattern, tiled ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
    const double sx =
        part.xTiled ? 1.0 : static_cast<double>(part.source.Width()) / part.dest.Width();
    const double sy =
        part.yTiled ? 1.0 : static_cast<double>(part.source.Height()) / part.dest.Height();
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, sx, sy);
    cairo_matrix_translate(&matrix, -part.dest.left, -part.dest.top);
    cairo_pattern_set_matrix(pattern, &matrix);
    if (sx == 1.0 && sy == 1.0) {
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    }
    cairo_save(cr);
    cairo_rectangle(cr, part.dest.left, part.dest.top, part.dest.Width(), part.dest.Height());
    cairo_clip(cr);
    cairo_set_source(cr, pattern);
    if (alpha >= 1.0) {
        cairo_paint(cr);
    } else {
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(sub);
}

// Splits a span [a, b) into the three bands of a nine-part stretch.
struct Bands {
    int edges[4];
};

// Far beyond any screen, yet twice it still fits an int, so widths of parts cannot overflow.
constexpr int64_t kCoordinateLimit = int64_t{1} << 29;

int Bounded(int64_t value) {
    return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

// Corners wider than the span stay as given (the painting clip cuts them), but their edges are
// worked out wide enough that no sum of a coordinate and a corner size can overflow.
Bands Split(int a, int b, int first, int last) {
    return Bands{{Bounded(a), Bounded(int64_t{a} + first), Bounded(int64_t{b} - last), Bounded(b)}};
}

// Offsets of a descriptor's "dest" added to the control's edge, kept inside [low, high].
int Offset(int edge, int offset, int low, int high) {
    return static_cast<int>(std::clamp(int64_t{edge} + offset, int64_t{low}, int64_t{high}));
}

}  // namespace

void DrawImagePart(cairo_t* cr, const ImageData& image, const ImagePlacement& placement,
                   const Rect& paint) {
    const Rect visible = Intersect(placement.dest, paint);
    if (visible.IsEmpty() || !image.surface) {
        return;
    }
    const double alpha = placement.fade / 255.0;
    if (alpha <= 0) {
        return;
    }
    cairo_save(cr);
    cairo_rectangle(cr, visible.left, visible.top, visible.Width(), visible.Height());
    cairo_clip(cr);

    const Rect& d = placement.dest;
    const Rect& s = placement.source;
    const Rect& c = placement.corners;
    const Bands dx = Split(d.left, d.right, c.left, c.right);
    const Bands dy = Split(d.top, d.bottom, c.top, c.bottom);
    const Bands sxb = Split(s.left, s.right, c.left, c.right);
    const Bands syb = Split(s.top, s.bottom, c.top, c.bottom);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool centre = row == 1 && col == 1;
            if (centre && placement.hole) {
                continue;
            }
            Part part;
            part.dest = Rect{dx.edges[col], dy.edges[row], dx.edges[col + 1], dy.edges[row + 1]};
            part.source = Intersect(
                Rect{sxb.edges[col], syb.edges[row], sxb.edges[col + 1], syb.edges[row + 1]},
                Rect{0, 0, image.width, image.height});
            part.xTiled = centre && placement.xTiled;
            part.yTiled = centre && placement.yTiled;
            DrawPart(cr, image.surface, part, alpha);
        }
    }
    cairo_restore(cr);
}

ImagePlacement PlaceDescriptor(const ImageDescriptor& descriptor, const ImageData& image,
                               const Rect& item) {
    ImagePlacement placement;
    placement.dest = item;
    if (!IsZero(descriptor.dest)) {
        const Rect& d = descriptor.dest;
        placement.dest.left = Offset(item.left, d.left, item.left, item.right);
        placement.dest.top = Offset(item.top, d.top, item.top, item.bottom);
        placement.dest.right = Offset(item.left, d.right, item.left, item.right);
        placement.dest.bottom = Offset(item.top, d.bottom, item.top, item.bottom);
    }
    placement.source =
        IsZero(descriptor.source) ? Rect{0, 0, image.width, image.height} : descriptor.source;
    const int width = std::max(image.width, 0);
    const int height = std::max(image.height, 0);
    placement.source.right = std::clamp(placement.source.right, 0, width);
    placement.source.bottom = std::clamp(placement.source.bottom, 0, height);
    placement.source.left = std::clamp(placement.source.left, 0, placement.source.right);
    placement.source.top = std::clamp(placement.source.top, 0, placement.source.bottom);
    // Corners are parts of the source: together they never take more than it has.
    const Rect& c = descriptor.corners;
    const int sourceWidth = placement.source.Width();
    const int sourceHeight = placement.source.Height();
    placement.corners.left = std::clamp(c.left, 0, sourceWidth);
    placement.corners.right = std::clamp(c.right, 0, sourceWidth - placement.corners.left);
    placement.corners.top = std::clamp(c.top, 0, sourceHeight);
    placement.corners.bottom = std::clamp(c.bottom, 0, sourceHeight - placement.corners.top);
    placement.fade = descriptor.fade;
    placement.hole = descriptor.hole;
    placement.xTiled = descriptor.xTiled;
    placement.yTiled = descriptor.yTiled;
    return placement;
}

bool DrawImageUI(cairo_t* cr, ResourceTablesUI& resources, ImageDescriptor& descriptor,
                 const Rect& item, const Rect& paint) {
    const std::shared_ptr<const ImageData> image = resources.ResolveImage(descriptor);
    if (!image) {
        return false;
    }
    DrawImagePart(cr, *image, PlaceDescriptor(descriptor, *image, item), paint);
    return true;
}

}  // namespace uikit
