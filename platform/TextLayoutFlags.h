#pragma once

namespace platform {

// How a block of text is laid out in its rectangle. The values are the window system's own
// text-drawing flags, which the controls' styles use as well (left 0, centre 1, right 2, top 0,
// vcenter 4, bottom 8), so a style passes straight on from a control to the text engine.
namespace TextLayout {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kTop = 0x0;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kBottom = 0x8;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kNoClip = 0x100;
inline constexpr unsigned kEndEllipsis = 0x8000;
}  // namespace TextLayout

}  // namespace platform
