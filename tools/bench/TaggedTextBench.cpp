// Times tagged text parsing on openers that nothing closes, at two sizes: the time of the
// larger should grow with its length, not with its square.
#include <chrono>
#include <cstdio>
#include <string>

#include "uikit/controls/TaggedTextUI.h"

void BenchTaggedText() {
    for (const size_t length : {size_t{16} << 10, size_t{64} << 10}) {
        const std::u16string text(length, u'<');
        const auto start = std::chrono::steady_clock::now();
        const uikit::TaggedTextUI parsed = uikit::TaggedTextUI::Parse(text);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("tagged text, %zu unmatched openers: %.2f ms (%zu runs)\n", length, ms,
                    parsed.runs.size());
    }
}
