#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "common/TextConvert.h"
#include "download/DownloadedGamesRecord.h"
#include "engine/StateFile.h"
#include "platform/ChildProcess.h"
#include "platform/SingleInstance.h"
#include "platform/WindowSystem.h"
#include "platform/linux/testing/VirtualDisplay.h"
#include "server/DemoFileBytes.h"
#include "tests/support/Poll.h"
#include "tests/support/ServedFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"
#include "ui/items/ItemSupport.h"
#include "ui/main/DownloadsPage.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/layout/TabLayoutUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace fs = std::filesystem;
namespace td = platform::testdisplay;
using namespace std::chrono_literals;

namespace {

constexpr int64_t kFileSize = 100 * 1024 * 1024;
constexpr const char* kFile = "bigGame";

// Where the program draws "我的下载" and the first row's "重新下载": the main window's tree laid
// out here as the program lays it out. The screen has the window's size, so the centred window
// lies exactly on it and its client points are screen points.
struct ClickPoints {
    platform::Point myDownloads;
    platform::Point retry;
    platform::Point retryEdge;  // on the button's left border, which the library page lacks
};

platform::Point Centre(const uikit::CControlUI& control) {
    const uikit::Rect& rc = control.GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

ClickPoints LayOutLikeTheProgram() {
    uikit::InitTextEngine();
    uikit::InstallLinkedSkin();
    platform::UseHeadless();
    uikit::CWindowManagerUI manager(uikit::SkinArchive::Instance());
    uikit::CControlUI* root =
        uikit::CMarkupBuilderUI().Create(u"MainWnd.xml", {}, nullptr, &manager);
    EXPECT_NE(root, nullptr);
    manager.OnSize(manager.Attributes().initSize);
    manager.AttachDialog(root);
    static_cast<uikit::CTabLayoutUI*>(
        manager.FindControl(u"gameItemsTab")->GetInterface(u"TabLayout"))
        ->SelectItem(4);
    DownEngine::Download download;
    download.record = std::make_unique<DownloadRecord>();
    download.record->status = Failed;
    DownloadsPage page(manager);
    auto* row = dynamic_cast<uikit::CControlUI*>(page.AddRow(download));
    page.HideEmptyNotice();
    manager.LayoutIfNeeded();
    const uikit::CControlUI& retry = *FindInItem(*row, u"LoadFail");
    ClickPoints points{Centre(*manager.FindControl(u"MyDownload")),
                       Centre(retry),
                       {retry.GetPos().left, Centre(retry).y}};
    manager.ReleaseTree();
    return points;
}

// The real program, copied with its engine into a folder of the test's own, with a record that
// holds one failed download of a 100 MB file from a throttled kavrin-server.
class ResumeAfterKill : public ::testing::Test {
  protected:
    void SetUp() override {
        points_ = LayOutLikeTheProgram();
        ASSERT_TRUE(screen_.Start(1024, 720));
        fs::copy_file(KAVRIN_PROGRAM, program_ / "kavrin");
        fs::copy_file(KAVRIN_ENGINE, program_ / "libdlengine.so");
        fs::create_directories(downloads_.path());
        std::ofstream(program_ / "kavrin.ini")
            << "[soft]\nDriveUrlW2V=" << downloads_.path().string() << "\n";
        WriteServedCatalog(data_.path(), {{kFile, kFileSize}});
        server_ = std::make_unique<TestServer>(
            std::vector<std::string>{"--data", data_.path().string(), "--rate", "256k"});
        DownloadRecord row;
        row.name = AnsiToUtf16(kFile);
        row.extension = u".zip";
        row.url = AnsiToUtf16(server_->baseUrl() + "files/" + kFile + ".zip");
        row.img = u"img/logo/xj.png";
        row.status = Failed;
        row.type = 1;
        ASSERT_TRUE(DownEngine::SaveDownloadedGames(program_.Wide("gameList.dat"), {&row}));
    }
    void TearDown() override {
        if (running_ != nullptr) {
            running_->Terminate();
        }
    }

    void StartProgram() {
        running_ = platform::StartChildProcess(
            "/usr/bin/env", {"env", "DISPLAY=:" + std::to_string(screen_.Number()),
                             (program_ / "kavrin").string()});
        ASSERT_NE(running_, nullptr);
        // A start on a machine whose cores are both busy has taken over half a minute.
        uint32_t head = 0;
        ASSERT_TRUE(PollUntil(
            [&] {
                return platform::FindRunningInstance("_SoftMainWnd_", "Kavrin") != nullptr &&
                       td::ReadScreenPixel(500, 25, head) && head == 0xFFFFFF;
            },
            120s));
    }
    // "我的下载", then the row's "重新下载", as a person clicks them.
    void RetryTheRow() {
        ASSERT_TRUE(td::ClickAt(points_.myDownloads.x, points_.myDownloads.y));
        // The page shows once it is drawn: the row's button has its light blue rim there.
        uint32_t rim = 0;
        ASSERT_TRUE(PollUntil(
            [&] {
                return td::ReadScreenPixel(points_.retryEdge.x, points_.retryEdge.y, rim) &&
                       rim == 0xCFE2FF;
            },
            60s))
            << std::hex << rim;
        ASSERT_TRUE(td::MovePointerTo(points_.retry.x, points_.retry.y));
        ASSERT_TRUE(td::ClickAt(points_.retry.x, points_.retry.y));
    }
    static int64_t RecordedBytes(const fs::path& state) {
        const std::optional<dlengine::TaskState> decoded =
            dlengine::DecodeTaskState(ReadWholeFile(state));
        return decoded ? decoded->done.Total() : 0;
    }
    int Requests() const {
        int count = 0;
        for (const std::string& line : server_->Log()) {
            count += line.rfind(std::string("GET /files/") + kFile, 0) == 0;
        }
        return count;
    }
    // What the server sent for the file once every answer of it has ended.
    uint64_t SentInAll() const {
        uint64_t sent = 0;
        int ended = 0;
        const std::string marker = std::string("SENT /files/") + kFile + ".zip ";
        EXPECT_TRUE(PollUntil([&] {
            sent = 0;
            ended = 0;
            for (const std::string& line : server_->Log()) {
                if (line.rfind(marker, 0) == 0) {
                    sent += std::stoull(line.substr(marker.size()));
                    ++ended;
                }
            }
            return ended == Requests();
        }));
        return sent;
    }

    ClickPoints points_;
    td::VirtualDisplay screen_;
    TempDir program_;
    TempDir downloads_;
    TempDir data_;
    std::unique_ptr<TestServer> server_;
    std::unique_ptr<platform::ChildProcess> running_;
};

TEST_F(ResumeAfterKill, AKilledProgramContinuesItsDownloadWhereItStoppedAtTheNextStart) {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(RetryTheRow());
    ASSERT_TRUE(PollUntil([&] { return Requests() > 0; }));
    // Kill it once the engine's own record beside the part file holds about half of the file:
    // what the record holds is what the next start may skip.
    const fs::path state = downloads_ / (std::string(kFile) + ".zip.part.state");
    ASSERT_TRUE(PollUntil([&] { return RecordedBytes(state) >= kFileSize / 2; }, 120s))
        << RecordedBytes(state) << " bytes recorded";
    running_->Kill();
    running_.reset();
    const fs::path file = downloads_ / (std::string(kFile) + ".zip");
    EXPECT_FALSE(fs::exists(file)) << "the download cannot have finished yet";
    const uint64_t beforeKill = SentInAll();
    EXPECT_GT(beforeKill, 0u);
    EXPECT_LT(beforeKill, static_cast<uint64_t>(kFileSize));

    // The record written when the row started still holds it, as failed: download again.
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_NO_FATAL_FAILURE(RetryTheRow());
    ASSERT_TRUE(PollUntil([&] { return fs::exists(file); }, 120s));
    EXPECT_TRUE(ReadWholeFile(file) == DemoFileBytes(std::string(kFile) + ".zip", 0, kFileSize))
        << "the file is not the server's";
    const uint64_t sent = SentInAll();
    EXPECT_LT(sent, static_cast<uint64_t>(101 * 1024 * 1024))
        << "bytes already on disk were fetched again: " << sent << " sent, " << beforeKill
        << " of them before the kill";
    EXPECT_GE(sent, static_cast<uint64_t>(kFileSize));
}

}  // namespace
