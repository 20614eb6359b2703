// The attribute value languages: numbers, lists, rectangles, colours and attribute lists.
#include <cstddef>
#include <cstdint>

#include "fuzz/support/FuzzInput.h"
#include "uikit/resources/AttributeSyntax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text = fuzzinput::AsWideText(data, size);
    int values[8] = {};
    // Unsigned, so that summing what was read cannot overflow here.
    uint32_t sum = static_cast<uint32_t>(uikit::ParseInt(text));
    sum += static_cast<uint32_t>(uikit::ParseIntList(text, values, 8));
    const uikit::Rect rect = uikit::ParseRect(text);
    const uikit::Size extent = uikit::ParseSize(text);
    const uikit::Point point = uikit::ParsePoint(text);
    sum += static_cast<uint32_t>(rect.left) + static_cast<uint32_t>(rect.bottom) +
           static_cast<uint32_t>(extent.cx) + static_cast<uint32_t>(point.y);
    sum += uikit::ParseColor(text) + (uikit::ParseBool(text) ? 1u : 0u);
    for (const auto& [name, value] : uikit::ParseAttributeList(text)) {
        sum += static_cast<uint32_t>(name.size() + value.size());
    }
    volatile uint32_t sink = sum;
    (void)sink;
    return 0;
}
