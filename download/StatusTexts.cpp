#include "download/StatusTexts.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "common/TextConvert.h"

namespace DownEngine {
namespace {

constexpr double kKiB = 1024.0;
constexpr double kMiB = kKiB * 1024.0;
constexpr double kGiB = kMiB * 1024.0;

std::u16string Formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return AnsiToUtf16(text);
}

std::u16string Bytes(int64_t bytes) {
    const double value = static_cast<double>(bytes);
    if (value >= kGiB) {
        return Formatted("%.1f GB", value / kGiB);
    }
    if (value >= kMiB) {
        return Formatted("%.0f MB", value / kMiB);
    }
    return Formatted("%.0f KB", value / kKiB);
}

std::u16string Speed(int64_t bytesPerSecond) {
    const double value = static_cast<double>(bytesPerSecond);
    if (value >= kMiB) {
        return Formatted("%.1f MB/s", value / kMiB);
    }
    return Formatted("%.0f KB/s", value / kKiB);
}

std::u16string TimeLeft(int64_t seconds) {
    const int64_t hours = seconds / 3600;
    const int64_t minutes = seconds % 3600 / 60;
    const std::u16string secs = AnsiToUtf16(std::to_string(seconds % 60)) + u"秒";
    if (hours > 0) {
        return AnsiToUtf16(std::to_string(hours)) + u"小时" + AnsiToUtf16(std::to_string(minutes)) +
               u"分";
    }
    return minutes > 0 ? AnsiToUtf16(std::to_string(minutes)) + u"分" + secs : secs;
}

void Join(std::u16string& text, const std::u16string& part) {
    if (!text.empty()) {
        text += u" · ";
    }
    text += part;
}

}  // namespace

std::u16string DownloadingText(float progress) {
    return u"下载中..." + Formatted("%0.0f%%", static_cast<double>(progress) * 100.0);
}

std::u16string ProgressTip(const EngineTaskReport& report) {
    std::u16string tip;
    if (report.bytesPerSecond > 0) {
        Join(tip, Speed(report.bytesPerSecond));
    }
    const bool sized = report.totalBytes > 0;
    Join(tip, sized ? Bytes(report.downloadedBytes) + u" / " + Bytes(report.totalBytes)
                    : Bytes(report.downloadedBytes));
    if (sized && report.bytesPerSecond > 0 && report.downloadedBytes < report.totalBytes) {
        const int64_t left = report.totalBytes - report.downloadedBytes;
        const int64_t seconds = (left + report.bytesPerSecond - 1) / report.bytesPerSecond;
        Join(tip, u"剩余 " + TimeLeft(seconds));
    }
    return tip;
}

std::u16string FailureReason(int32_t errorCode, int32_t httpStatus) {
    switch (errorCode) {
        case DL_ERROR_HTTP:
            return u"服务器拒绝提供该文件（HTTP " + AnsiToUtf16(std::to_string(httpStatus)) + u"）";
        case DL_ERROR_NETWORK:
            return u"无法连接到下载服务器，请检查网络后重新下载";
        case DL_ERROR_TLS:
            return u"无法验证下载服务器的安全证书";
        case DL_ERROR_DISK_FULL:
            return u"磁盘空间不足，请清理磁盘或更换下载目录后重新下载";
        case DL_ERROR_FILE:
            return u"无法写入下载目录，请检查目录权限或更换下载目录";
        case DL_ERROR_UNSAFE_NAME:
            return u"文件名不安全，已拒绝保存到下载目录之外";
        case DL_ERROR_SAME_FILE:
            return u"同名文件正在下载中";
        case DL_ERROR_BAD_REQUEST:
            return u"下载地址、文件名或下载目录无效";
        default:
            return u"下载组件未能开始下载";
    }
}

std::u16string LoadTimeText(const platform::LocalTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return AnsiToUtf16(text);
}

std::u16string RowLogo(int32_t type) {
    static constexpr const char16_t* kLogos[] = {u"xj.png", u"cs.png", u"ms.png", u"hj.png"};
    std::u16string logo = u"img/logo/";
    if (type >= 1 && type <= 4) {
        logo += kLogos[type - 1];
    }
    return logo;
}

}  // namespace DownEngine
