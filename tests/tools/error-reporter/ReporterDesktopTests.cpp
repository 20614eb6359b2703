#include <cairo.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "context/ClientId.h"
#include "platform/ChildProcess.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "platform/linux/testing/VirtualDisplay.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/manager/WindowManagerUI.h"

// The real reporter, started as the crash handler starts it, on a private X screen of the
// window's size (so the centred window lies on it and its points are screen points), clicked
// where the markup puts its buttons.
namespace {

namespace fs = std::filesystem;
namespace td = platform::testdisplay;
using namespace std::chrono_literals;

constexpr const char* kDumpName = "Client_8-4_13-5-9.dmp";

// Where the window's parts are, laid out from the markup as the program lays it out.
struct Layout {
    int width = 0;
    int height = 0;
    uikit::Rect icon, status, restart, send;
};

Layout LayOutLikeTheProgram() {
    uikit::InitTextEngine();
    uikit::InstallLinkedSkin();
    platform::UseHeadless();
    // The markup's window attributes, its size among them, go to a manager bound to a window.
    platform::WindowParams params;
    params.className = "Layout";
    params.rect = platform::Rect{0, 0, 1, 1};
    params.proc = platform::DefaultWindowProc;
    const platform::WindowId window = platform::CreateNativeWindow(params);
    uikit::CWindowManagerUI manager(uikit::SkinArchive::Instance());
    manager.Init(window);
    uikit::CControlUI* root =
        uikit::CMarkupBuilderUI().Create(u"ErrorReporter.xml", {}, nullptr, &manager);
    EXPECT_NE(root, nullptr);
    const uikit::Size size = manager.Attributes().initSize;
    manager.OnSize(size);
    manager.AttachDialog(root);
    manager.LayoutIfNeeded();
    const auto at = [&](const char16_t* name) { return manager.FindControl(name)->GetPos(); };
    Layout layout{size.cx,           size.cy,
                  at(u"reportIcon"), at(u"reportStatus"),
                  at(u"btnRestart"), at(u"btnSendReport")};
    manager.ReleaseTree();
    manager.Init(0);
    platform::DestroyNativeWindow(window);
    return layout;
}

uikit::Point Centre(const uikit::Rect& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

struct Rgb {
    int r, g, b;
};

Rgb Split(uint32_t rgb) {
    return {int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
}

// Every byte value, so that a dump handled as text anywhere on its way would show.
std::string DumpBytes() {
    std::string bytes(200 * 1024 + 17, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 31 + i / 511) & 0xFF);
    }
    return bytes;
}

// A program folder of the test's own with a copy of the reporter, its settings file and the
// client's, and a stand-in "kavrin" that notes the folder it was started in; a crashed client's
// current folder holding its dump.
class ReporterOnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        layout_ = LayOutLikeTheProgram();
        ASSERT_TRUE(screen_.Start(layout_.width, layout_.height));
        fs::copy_file(KAVRIN_ERROR_REPORTER, program_ / "ErrorReporter");
        WriteWholeFile(program_ / "kavrin", "#!/bin/sh\npwd > \"$(dirname \"$0\")/started\"\n");
        fs::permissions(program_ / "kavrin", fs::perms::owner_all, fs::perm_options::add);
        WriteWholeFile(program_ / "kavrin.ini",
                       "[soft]\nid=140\nversion=101\n[config]\nuuid=" + clientId_ + "\n");
        WriteWholeFile(crashed_ / kDumpName, dump_);
    }
    void TearDown() override {
        if (reporter_ != nullptr) {
            reporter_->Terminate();
        }
    }

    void StartReporter() {
        reporter_ = platform::StartChildProcess(
            "/usr/bin/env",
            {"env", "-C", crashed_.path().string(), "DISPLAY=:" + std::to_string(screen_.Number()),
             (program_ / "ErrorReporter").string(), std::string("sorvel.ini,") + kDumpName});
        ASSERT_NE(reporter_, nullptr);
        // Shown once its sign and its blue button are drawn where the markup puts them.
        ASSERT_TRUE(PollUntil([&] { return IconShows() && IsBlue(Pixel(SendButtonFace())); }, 30s));
    }
    bool IconShows() {
        const Rgb amber = Pixel({layout_.icon.left + 8, layout_.icon.top + 20});
        return amber.r > 230 && amber.g > 150 && amber.g < 180 && amber.b < 60;
    }
    uikit::Point SendButtonFace() const { return {layout_.send.left + 6, layout_.send.top + 6}; }
    static bool IsBlue(Rgb c) { return c.b > 200 && c.r < 110 && c.g < 160; }
    Rgb Pixel(uikit::Point at) {
        uint32_t rgb = 0;
        td::ReadScreenPixel(at.x, at.y, rgb);
        return Split(rgb);
    }
    void Click(const uikit::Rect& button) {
        const uikit::Point at = Centre(button);
        ASSERT_TRUE(td::MovePointerTo(at.x, at.y));
        ASSERT_TRUE(td::ClickAt(at.x, at.y));
    }
    // The screen as a PNG for a person to look at; null when it cannot be taken.
    cairo_surface_t* Screenshot(const std::string& name) {
        fs::create_directories(KAVRIN_PREVIEW_DIR);
        const std::string file = std::string(KAVRIN_PREVIEW_DIR) + "/" + name + ".png";
        auto import = platform::StartChildProcess(
            "/usr/bin/env", {"env", "DISPLAY=:" + std::to_string(screen_.Number()), "import",
                             "-window", "root", "png:" + file});
        std::string line;
        while (import != nullptr && import->ReadLine(line, 30000)) {
        }
        if (import == nullptr || import->Terminate() != 0) {
            return nullptr;
        }
        return cairo_image_surface_create_from_png(file.c_str());
    }
    // Whether the status line is written in green, as a sent report is.
    static bool StatusIsGreen(cairo_surface_t* shot, const uikit::Rect& status) {
        const int y = (status.top + status.bottom) / 2;
        const auto* row = reinterpret_cast<const uint32_t*>(
            cairo_image_surface_get_data(shot) + y * cairo_image_surface_get_stride(shot));
        for (int x = status.left; x < status.right; ++x) {
            const Rgb c = Split(row[x]);
            if (c.g > c.r + 60 && c.g > c.b + 40) {
                return true;
            }
        }
        return false;
    }

    Layout layout_;
    td::VirtualDisplay screen_;
    TempDir program_;
    TempDir crashed_;
    const std::string clientId_ = GenerateClientId();
    const std::string dump_ = DumpBytes();
    std::unique_ptr<platform::ChildProcess> reporter_;
};

TEST_F(ReporterOnScreen, ItShowsAndItsRestartStartsKavrinFromTheProgramsFolderThenCloses) {
    StartReporter();
    cairo_surface_t* shot = Screenshot("ErrorReporter-desktop");
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(cairo_surface_status(shot), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(shot);
    EXPECT_EQ(Pixel({layout_.width / 2, 20}).r, 255) << "the title band is white";

    Click(layout_.restart);
    ASSERT_TRUE(PollUntil([&] { return fs::exists(program_ / "started"); }));
    // Started in the folder the crashed client ran in, as it was started before.
    EXPECT_TRUE(PollUntil(
        [&] { return ReadWholeFile(program_ / "started") == crashed_.path().string() + "\n"; }));
    EXPECT_TRUE(PollUntil([&] { return !IconShows(); })) << "the window stays after a restart";
}

TEST_F(ReporterOnScreen, SendingTheReportDeliversTheDumpToTheServer) {
    TempDir data;
    TestServer server({"--data", data.path().string()});
    WriteWholeFile(program_ / "sorvel.ini", "[report]\nurl=" + server.baseUrl() + "\n");
    StartReporter();

    Click(layout_.send);
    const fs::path crashes = data / "crashes";
    ASSERT_TRUE(PollUntil(
        [&] {
            if (!fs::is_directory(crashes)) {
                return false;
            }
            for (const auto& entry : fs::directory_iterator(crashes)) {
                if (ReadWholeFile(entry.path()) == dump_) {
                    return true;
                }
            }
            return false;
        },
        30s));
    cairo_surface_t* shot = nullptr;
    EXPECT_TRUE(PollUntil(
        [&] {
            if (shot != nullptr) {
                cairo_surface_destroy(shot);
            }
            shot = Screenshot("ErrorReporter-desktop-sent");
            return shot != nullptr && cairo_surface_status(shot) == CAIRO_STATUS_SUCCESS &&
                   StatusIsGreen(shot, layout_.status);
        },
        30s, 200ms))
        << "the window does not say the report was sent";
    if (shot != nullptr) {
        cairo_surface_destroy(shot);
    }
    bool logged = false;
    for (const std::string& line : server.Log()) {
        logged |= line.rfind("POST /client/crashreport [softid=140&version=101&uuid=" + clientId_ +
                                 "&dump=" + kDumpName + "] 200 ",
                             0) == 0;
    }
    EXPECT_TRUE(logged) << "the report does not name its installation and its dump";
}

}  // namespace
