#pragma once

#include <memory>
#include <string>

namespace uikit {

class TextFace;

// A font as markup describes it; size is in pixels.
struct FontInfo {
    std::u16string face;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

// The text metrics controls lay out with, in pixels.
struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int height = 0;        // ascent + descent
    int averageWidth = 0;  // of a character
};

// A created font: its face in the build's text engine and its metrics. Immutable once made.
class FontUI {
  public:
    explicit FontUI(FontInfo info);
    ~FontUI();
    FontUI(const FontUI&) = delete;
    FontUI& operator=(const FontUI&) = delete;

    const FontInfo& Info() const { return info_; }
    const FontMetrics& Metrics() const { return metrics_; }
    const TextFace& Face() const { return *face_; }
    // The family the engine actually chose for the face, e.g. to check an alias.
    std::string ResolvedFamily() const;

  private:
    FontInfo info_;
    std::unique_ptr<TextFace> face_;
    FontMetrics metrics_;
};

using FontPtr = std::shared_ptr<const FontUI>;

}  // namespace uikit
