#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

// The bytes of a resource linked into the executable, found by type and id; empty when the
// program carries no such resource. The bytes live as long as the process.
std::span<const uint8_t> FindResource(std::string_view type, int id);

}  // namespace platform
