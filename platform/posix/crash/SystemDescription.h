#pragma once

#include <cstddef>
#include <cstdint>

#include "common/MinidumpFormat.h"

namespace platform::crash {

// The dump's system information: the processor and the kernel's version from uname, with the
// kernel's full version text into versionText.
void DescribeSystem(uint32_t processorCount, minidump::SystemInfo& info, char* versionText,
                    size_t capacity);

}  // namespace platform::crash
