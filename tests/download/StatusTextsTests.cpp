#include <gtest/gtest.h>

#include <cstring>

#include "common/TextConvert.h"
#include "download/StatusTexts.h"
#include "download/TaskRequest.h"

using namespace DownEngine;

namespace {

EngineTaskReport Report(int64_t done, int64_t total, int64_t speed) {
    EngineTaskReport report{};
    report.downloadedBytes = done;
    report.totalBytes = total;
    report.bytesPerSecond = speed;
    return report;
}

TEST(StatusTexts, ProgressReadsAsAPlayerExpects) {
    EXPECT_EQ(DownloadingText(0.46f), u"下载中...46%");
    EXPECT_EQ(DownloadingText(0.0f), u"下载中...0%");
    EXPECT_EQ(DownloadingText(1.0f), u"下载中...100%");
    constexpr int64_t kMB = 1024 * 1024;
    EXPECT_EQ(ProgressTip(Report(412 * kMB, 1229 * kMB, 3355443)),
              u"3.2 MB/s · 412 MB / 1.2 GB · 剩余 4分16秒");
    EXPECT_EQ(ProgressTip(Report(512 * 1024, 2 * kMB, 100 * 1024)),
              u"100 KB/s · 512 KB / 2 MB · 剩余 16秒");
    EXPECT_EQ(ProgressTip(Report(kMB, 9000 * kMB, kMB)),
              u"1.0 MB/s · 1 MB / 8.8 GB · 剩余 2小时29分");
    // Before the size or the speed is known only what is known is told.
    EXPECT_EQ(ProgressTip(Report(0, -1, 0)), u"0 KB");
    EXPECT_EQ(ProgressTip(Report(3 * kMB, 9 * kMB, 0)), u"3 MB / 9 MB");
}

TEST(StatusTexts, FailuresAreToldInPlainWords) {
    EXPECT_EQ(FailureReason(DL_ERROR_HTTP, 403), u"服务器拒绝提供该文件（HTTP 403）");
    for (int code : {DL_ERROR_BAD_REQUEST, DL_ERROR_UNSAFE_NAME, DL_ERROR_NETWORK, DL_ERROR_TLS,
                     DL_ERROR_DISK_FULL, DL_ERROR_FILE, DL_ERROR_SAME_FILE, DL_ERROR_NONE}) {
        const std::u16string reason = FailureReason(code, 0);
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(reason.find(u"HTTP"), std::u16string::npos) << code;
    }
    EXPECT_NE(FailureReason(DL_ERROR_DISK_FULL, 0), FailureReason(DL_ERROR_FILE, 0));
}

TEST(StatusTexts, LoadTimesAndLogos) {
    EXPECT_EQ(LoadTimeText({2023, 8, 4, 9, 5, 7}), u"2023-08-04 09:05:07");
    EXPECT_EQ(LoadTimeText({2026, 12, 31, 23, 59, 59}), u"2026-12-31 23:59:59");
    EXPECT_EQ(RowLogo(1), u"img/logo/xj.png");
    EXPECT_EQ(RowLogo(2), u"img/logo/cs.png");
    EXPECT_EQ(RowLogo(3), u"img/logo/ms.png");
    EXPECT_EQ(RowLogo(4), u"img/logo/hj.png");
    EXPECT_EQ(RowLogo(0), u"img/logo/");
    EXPECT_EQ(RowLogo(5), u"img/logo/");
    EXPECT_EQ(RowLogo(-1), u"img/logo/");
}

TEST(TaskRequest, TheBlockCarriesTheThreeTextsAtTheirPlacesAndRefusesToCutThem) {
    EngineTaskRequest request;
    std::memset(&request, 0x5A, sizeof request);
    BuildTaskRequest(request, u"https://h/f.zip", u"f.zip", u"/home/p/下载");
    const auto* bytes = reinterpret_cast<const unsigned char*>(&request);
    EXPECT_EQ(std::u16string(request.url), u"https://h/f.zip");
    EXPECT_EQ(std::u16string(request.fileName), u"f.zip");
    EXPECT_EQ(std::u16string(request.saveFolder), u"/home/p/下载");
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(bytes + 18360), 5);
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(bytes + 18368), 1);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[sizeof request - 1], 0) << "everything not named is zero";

    const std::u16string longFolder(DL_FOLDER_CAPACITY, u'x');
    BuildTaskRequest(request, u"https://h/f.zip", u"f.zip", longFolder);
    EXPECT_EQ(request.saveFolder[0], u'\0') << "a cut folder would save elsewhere";
    BuildTaskRequest(request, u"https://h/f.zip", u"f.zip",
                     std::u16string(DL_FOLDER_CAPACITY - 1, u'y'));
    EXPECT_EQ(std::u16string(request.saveFolder).size(), size_t{DL_FOLDER_CAPACITY - 1});
}

}  // namespace
