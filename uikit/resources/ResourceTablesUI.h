#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "uikit/draw/FontUI.h"
#include "uikit/image/ImageData.h"

namespace uikit {

struct ImageDescriptor;
class SkinArchive;

// One copy of the resource tables: images by name, fonts by id, default attribute lists by tag.
struct ResourceTable {
    std::map<std::u16string, std::shared_ptr<const ImageData>, std::less<>> images;
    std::map<int, FontPtr> fonts;
    std::map<std::u16string, std::u16string, std::less<>> defaults;
    FontPtr defaultFont;
};

// The resources a window's controls draw with. Each table exists twice: private to the window and
// shared by every window of the process; lookups try the private copy first, so a window can
// override a shared font or image under the same key.
class ResourceTablesUI {
  public:
    ResourceTablesUI();
    explicit ResourceTablesUI(const SkinArchive& archive);

    // The process-wide copy (UI thread only).
    static ResourceTable& Shared();

    // Loads and adds an image; replaces an entry of the same name. Null when it cannot be loaded.
    std::shared_ptr<const ImageData> AddImage(std::u16string_view name, std::u16string_view resType,
                                              uint32_t mask, bool shared);
    std::shared_ptr<const ImageData> GetImage(std::u16string_view name) const;
    // The table's image, else loads it into the private table.
    std::shared_ptr<const ImageData> GetImageEx(std::u16string_view name,
                                                std::u16string_view resType, uint32_t mask);
    // Finds (or loads) the descriptor's image once and keeps it in the descriptor.
    std::shared_ptr<const ImageData> ResolveImage(ImageDescriptor& descriptor);

    FontPtr AddFont(int id, const FontInfo& info, bool shared);
    // The font of that id; unknown ids give the default font.
    FontPtr GetFont(int id) const;
    FontPtr FindFont(int id) const;  // null for unknown ids
    void SetDefaultFont(const FontInfo& info, bool shared);
    FontPtr GetDefaultFont() const;

    void AddDefaultAttributeList(std::u16string_view tag, std::u16string_view list, bool shared);
    // Empty when the tag has none.
    std::u16string_view GetDefaultAttributeList(std::u16string_view tag) const;

    ResourceTable& Private() { return own_; }

  private:
    ResourceTable& Table(bool shared) { return shared ? Shared() : own_; }

    const SkinArchive& archive_;
    ResourceTable own_;
};

}  // namespace uikit
