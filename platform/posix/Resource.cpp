#include "platform/Resource.h"

// Defined by EmbeddedSkin.S, which includes the packed skin archive byte for byte.
extern "C" const uint8_t kavrin_skin_zip_begin[];
extern "C" const uint8_t kavrin_skin_zip_end[];

namespace platform {

namespace {

constexpr std::string_view kSkinType = "ZIPRES";
constexpr int kSkinId = 131;

}  // namespace

std::span<const uint8_t> FindResource(std::string_view type, int id) {
    if (type == kSkinType && id == kSkinId) {
        return {kavrin_skin_zip_begin, kavrin_skin_zip_end};
    }
    return {};
}

}  // namespace platform
