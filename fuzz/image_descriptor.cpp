// The image attribute: a bare name or key='value' pairs.
#include <cstddef>
#include <cstdint>

#include "fuzz/support/FuzzInput.h"
#include "uikit/image/ImageDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uikit::ImageDescriptor d = uikit::ParseImageDescriptor(fuzzinput::AsWideText(data, size));
    volatile size_t sink = d.name.size() + d.resType.size() + static_cast<size_t>(d.corners.left);
    (void)sink;
    return 0;
}
