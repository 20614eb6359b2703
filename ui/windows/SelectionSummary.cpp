#include "ui/windows/SelectionSummary.h"

#include <cstdio>

#include "common/TextConvert.h"

namespace {

constexpr int64_t kMegabytesPerGigabyte = 1024;

std::u16string SizeText(int64_t totalMB) {
    char digits[32];
    if (totalMB <= kMegabytesPerGigabyte) {
        std::snprintf(digits, sizeof digits, "%lldMB", static_cast<long long>(totalMB));
    } else {
        std::snprintf(digits, sizeof digits, "%.2fG",
                      static_cast<double>(totalMB) / static_cast<double>(kMegabytesPerGigabyte));
    }
    return AnsiToUtf16(digits);
}

}  // namespace

std::u16string SummaryText(int count, int64_t totalMB) {
    return u"文件个数：" + AnsiToUtf16(std::to_string(count)) + u"   文件大小：" +
           SizeText(totalMB);
}
