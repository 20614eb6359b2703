#include <cairo.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/TextConvert.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tests/ui/support/ScreenPreview.h"
#include "tests/ui/support/UiFixture.h"
#include "tools/error-reporter/ErrorReporterWnd.h"
#include "uikit/window/ShadowUI.h"

// The reporter's window on the in-memory window system with the packed skin: what it offers
// with and without a dump, and a report that cannot reach its server.
namespace {

namespace fs = std::filesystem;
namespace hl = platform::headless;

class ReporterWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        hl::ClearShellRequests();
        WriteWholeFile(dump_, "dump bytes");
        // Nothing listens on this port: the connection is refused at once.
        withDump_.target.baseUrl = "https://127.0.0.1:1/";
        withDump_.dumpName = dump_.filename().string();
        withDump_.dump = dump_;
    }

    // Opens the window on subject and lets the person act on it; returns once it is gone.
    void Run(const ReportSubject& subject, std::function<void()> act) {
        window_.emplace(subject);
        person_.emplace();
        person_->Post([this, act] {
            platform::ProcessPendingMessages();
            act();
        });
        window_->RunOver(0, ErrorReporterWnd::kTitle);
        EXPECT_EQ(window_->GetHWND(), 0u);
    }
    uikit::CControlUI* Find(std::u16string_view name) {
        return window_->Manager().FindControl(name);
    }
    std::string Text(std::u16string_view name) { return Utf16ToAnsi(Find(name)->GetText()); }
    void Click(std::u16string_view name) {
        ClickControl(window_->GetHWND(), Find(name));
        platform::ProcessPendingMessages();
    }
    void Preview(const std::string& name) {
        std::vector<platform::WindowId> windows;
        if (window_->Shadow() != nullptr) {
            windows.push_back(window_->Shadow()->GetWindow());
        }
        windows.push_back(window_->GetHWND());
        WriteScreenPreview(name, WindowsArea(windows), windows);
    }

    TempDir folder_;
    const fs::path dump_ = folder_ / "Client_8-4_13-5-9.dmp";
    ReportSubject withDump_;
    std::optional<ErrorReporterWnd> window_;
    std::optional<QueuedAction> person_;
};

TEST_F(ReporterWindow, WithADumpItNamesItShowsItInTheFileManagerAndRetriesAFailedSend) {
    Run(withDump_, [&] {
        EXPECT_EQ(Text(u"dumpName"), "错误报告文件：Client_8-4_13-5-9.dmp");
        Preview("ErrorReporter");
        Click(u"btnOpenFolder");
        EXPECT_EQ(hl::ShellRequests(),
                  (std::vector<hl::ShellRequest>{{hl::ShellRequest::ShowItem, dump_.string()}}));

        // Checked before the loop runs again: the refused connection answers at once.
        ClickControl(window_->GetHWND(), Find(u"btnSendReport"));
        EXPECT_FALSE(Find(u"btnSendReport")->IsEnabled()) << "a report on its way goes once";
        EXPECT_EQ(Text(u"reportStatus"), Utf16ToAnsi(ErrorReporterWnd::kSendingText));
        EXPECT_TRUE(PollUntil([&] {
            platform::ProcessPendingMessages();
            return Text(u"reportStatus") != Utf16ToAnsi(ErrorReporterWnd::kSendingText);
        }));
        EXPECT_EQ(Text(u"reportStatus"), Utf16ToAnsi(ErrorReporterWnd::kSendFailedText));
        EXPECT_TRUE(Find(u"btnSendReport")->IsEnabled());
        Preview("ErrorReporter-failed");
        Click(u"closebtn");
    });
}

TEST_F(ReporterWindow, WithoutADumpOnlyTheRestartIsOffered) {
    Run(ReportSubject{}, [&] {
        EXPECT_EQ(Text(u"dumpName"), Utf16ToAnsi(ErrorReporterWnd::kNoDumpText));
        EXPECT_TRUE(Find(u"btnRestart")->IsEnabled());
        EXPECT_FALSE(Find(u"btnOpenFolder")->IsEnabled());
        EXPECT_FALSE(Find(u"btnSendReport")->IsEnabled());
        Click(u"btnOpenFolder");
        Click(u"btnSendReport");
        EXPECT_TRUE(hl::ShellRequests().empty());
        EXPECT_EQ(Text(u"reportStatus"), Utf16ToAnsi(ErrorReporterWnd::kNoDumpHintText));
        Preview("ErrorReporter-no-dump");
        Click(u"closebtn");
    });
}

}  // namespace
