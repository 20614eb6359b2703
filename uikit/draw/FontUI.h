#pragma once

#include <memory>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace uikit {

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

// A created font: the Pango description and its metrics. Immutable once made.
class FontUI {
  public:
    explicit FontUI(FontInfo info);
    ~FontUI();
    FontUI(const FontUI&) = delete;
    FontUI& operator=(const FontUI&) = delete;

    const FontInfo& Info() const { return info_; }
    const FontMetrics& Metrics() const { return metrics_; }
    const PangoFontDescription* Description() const { return description_; }
    // The family fontconfig actually chose for the face, e.g. to check an alias.
    std::string ResolvedFamily() const;

  private:
    FontInfo info_;
    PangoFontDescription* description_ = nullptr;
    FontMetrics metrics_;
};

using FontPtr = std::shared_ptr<const FontUI>;

}  // namespace uikit
