// The markup parser on skin-like text, with every node, attribute and text of what it accepts
// read back.
#include <cstddef>
#include <cstdint>

#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"

namespace {

size_t Walk(uikit::CMarkupNodeUI node, int depth) {
    size_t units = 0;
    for (; node.IsValid(); node = node.GetSibling()) {
        units += node.GetName().size() + node.GetValue().size();
        const int count = node.GetAttributeCount();
        for (int i = 0; i < count; ++i) {
            units += node.GetAttributeName(i).size() + node.GetAttributeValue(i).size();
        }
        if (depth < uikit::CMarkupDocUI::kMaxDepth && node.HasChildren()) {
            units += Walk(node.GetChild(), depth + 1);
        }
    }
    return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uikit::CMarkupDocUI doc;
    if (doc.LoadFromMem(data, size)) {
        volatile size_t units = Walk(doc.GetRoot(), 0);
        (void)units;
    }
    return 0;
}
