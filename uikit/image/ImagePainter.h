#pragma once

#include <cstdint>

#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;

namespace uikit {

struct ImageData;
struct ImageDescriptor;
class ResourceTablesUI;

// How one image is cut and laid into its destination.
struct ImagePlacement {
    Rect dest;     // absolute, where the image goes
    Rect source;   // part of the image
    Rect corners;  // nine-part corner sizes; all 0 = a plain stretch
    uint8_t fade = 255;
    bool hole = false;  // leave the centre of a nine-part stretch empty
    bool xTiled = false;
    bool yTiled = false;
};

// Draws the image as placed, limited to `paint`: corners 1:1, edges stretched along their
// length, the centre stretched (or tiled) both ways.
void DrawImagePart(cairo_t* cr, const ImageData& image, const ImagePlacement& placement,
                   const Rect& paint);

// Works out the placement of a descriptor inside a control's rectangle: "dest" offsets from the
// control's left and top, clipped to it; "source" clipped to the image.
ImagePlacement PlaceDescriptor(const ImageDescriptor& descriptor, const ImageData& image,
                               const Rect& item);

// Draws an image attribute of a control: finds the image through the window's tables (loading
// it on first use) and places it in the control's rectangle. False when there is no image.
bool DrawImageUI(cairo_t* cr, ResourceTablesUI& resources, ImageDescriptor& descriptor,
                 const Rect& item, const Rect& paint);

}  // namespace uikit
