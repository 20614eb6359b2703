#include "uikit/resources/ResourceTablesUI.h"

#include "uikit/image/ImageDescriptor.h"
#include "uikit/image/SkinArchive.h"

namespace uikit {

namespace {

// The face and size a window falls back to when its markup names no default font.
FontInfo BuiltInDefaultFont() {
    return FontInfo{u"微软雅黑", 12, false, false, false};
}

template <typename Map, typename Key>
typename Map::mapped_type Find(const Map& map, const Key& key) {
    const auto found = map.find(key);
    return found == map.end() ? typename Map::mapped_type{} : found->second;
}

}  // namespace

ResourceTablesUI::ResourceTablesUI() : archive_(SkinArchive::Instance()) {}

ResourceTablesUI::ResourceTablesUI(const SkinArchive& archive) : archive_(archive) {}

ResourceTable& ResourceTablesUI::Shared() {
    static ResourceTable* shared = new ResourceTable();  // lives until the process ends
    return *shared;
}

std::shared_ptr<const ImageData> ResourceTablesUI::AddImage(std::u16string_view name,
                                                            std::u16string_view resType,
                                                            uint32_t mask, bool shared) {
    std::shared_ptr<const ImageData> image = LoadImageUI(name, resType, mask, archive_);
    if (image) {
        Table(shared).images.insert_or_assign(std::u16string(name), image);
    }
    return image;
}

std::shared_ptr<const ImageData> ResourceTablesUI::GetImage(std::u16string_view name) const {
    if (auto image = Find(own_.images, name)) {
        return image;
    }
    return Find(Shared().images, name);
}

std::shared_ptr<const ImageData> ResourceTablesUI::GetImageEx(std::u16string_view name,
                                                              std::u16string_view resType,
                                                              uint32_t mask) {
    if (auto image = GetImage(name)) {
        return image;
    }
    return AddImage(name, resType, mask, false);
}

std::shared_ptr<const ImageData> ResourceTablesUI::ResolveImage(ImageDescriptor& descriptor) {
    if (!descriptor.lookedUp) {
        descriptor.lookedUp = true;
        if (!descriptor.name.empty()) {
            descriptor.image = GetImageEx(descriptor.name, descriptor.resType, descriptor.mask);
        }
    }
    return descriptor.image;
}

FontPtr ResourceTablesUI::AddFont(int id, const FontInfo& info, bool shared) {
    auto font = std::make_shared<const FontUI>(info);
    Table(shared).fonts.insert_or_assign(id, font);
    return font;
}

FontPtr ResourceTablesUI::FindFont(int id) const {
    if (auto font = Find(own_.fonts, id)) {
        return font;
    }
    return Find(Shared().fonts, id);
}

FontPtr ResourceTablesUI::GetFont(int id) const {
    if (auto font = FindFont(id)) {
        return font;
    }
    return GetDefaultFont();
}

void ResourceTablesUI::SetDefaultFont(const FontInfo& info, bool shared) {
    Table(shared).defaultFont = std::make_shared<const FontUI>(info);
}

FontPtr ResourceTablesUI::GetDefaultFont() const {
    if (own_.defaultFont) {
        return own_.defaultFont;
    }
    if (Shared().defaultFont) {
        return Shared().defaultFont;
    }
    static const FontPtr builtIn = std::make_shared<const FontUI>(BuiltInDefaultFont());
    return builtIn;
}

void ResourceTablesUI::AddDefaultAttributeList(std::u16string_view tag, std::u16string_view list,
                                               bool shared) {
    Table(shared).defaults.insert_or_assign(std::u16string(tag), std::u16string(list));
}

std::u16string_view ResourceTablesUI::GetDefaultAttributeList(std::u16string_view tag) const {
    auto found = own_.defaults.find(tag);
    if (found != own_.defaults.end()) {
        return found->second;
    }
    found = Shared().defaults.find(tag);
    return found == Shared().defaults.end() ? std::u16string_view() : found->second;
}

}  // namespace uikit
