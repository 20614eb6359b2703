#pragma once

namespace uikit {

// The skin asks for the face "微软雅黑" (and its English name), which Linux does not have. Both are
// made aliases of the installed CJK face, so Latin and CJK runs of one label share one face and
// its metrics instead of falling back glyph by glyph. Safe to call more than once.
bool RegisterFontAliases();

}  // namespace uikit
