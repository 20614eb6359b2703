#pragma once

#include <string>

// Animated sources are one SVG with placeholders that vary over the loop; frame t (0 <= t < 1)
// replaces each of them with a number:
//   @lin:A:B@  A + (B - A) * t              (steady motion, e.g. a rotation)
//   @wave:A:B@ A + (B - A) * (1 - cos 2πt) / 2  (there and back, so the loop has no seam)
// False with a message when a placeholder cannot be read.
bool ExpandFrame(const std::string& source, double t, std::string& out, std::string& error);
