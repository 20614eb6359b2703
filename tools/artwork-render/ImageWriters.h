#pragma once

#include <cairo.h>

#include <string>
#include <vector>

// Encoders for rendered artwork. Surfaces are cairo ARGB32 (premultiplied).

bool WritePng(cairo_surface_t* surface, const std::string& path);

// JPEG has no alpha: transparent pixels are laid on white.
bool WriteJpeg(cairo_surface_t* surface, const std::string& path, int quality);

// An endlessly looping animation with one palette per frame.
bool WriteGif(const std::vector<cairo_surface_t*>& frames, int delayMs, const std::string& path);
