#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/TextConvert.h"
#include "context/Messages.h"
#include "platform/Messages.h"
#include "platform/Profile.h"
#include "platform/UserFolders.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/ScreenPreview.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/main/MainWnd.h"
#include "ui/windows/FreeSpaceText.h"
#include "ui/windows/MessageWnd.h"
#include "ui/windows/SettingPathWnd.h"
#include "uikit/draw/Canvas.h"
#include "uikit/window/MenuWnd.h"
#include "uikit/window/ShadowUI.h"

namespace fs = std::filesystem;
namespace hl = platform::headless;
using Request = hl::ShellRequest;

namespace {

constexpr uint64_t kGib = 1073741824;

TEST(FreeSpaceText, ShowsGibibytesWithOneDecimalRounded) {
    EXPECT_EQ(FreeSpaceText(kGib * 1004 / 100), u"剩余:10.0G");
    EXPECT_EQ(FreeSpaceText(kGib * 96 / 100), u"剩余:1.0G");
    EXPECT_EQ(FreeSpaceText(0), u"剩余:0.0G");
    // A large volume keeps every digit: no exponent, nothing cut.
    EXPECT_EQ(FreeSpaceText(kGib * 16384 + kGib / 2), u"剩余:16384.5G");
}

// The number in a free-space text, in GiB; negative when the text is not one.
double GibIn(std::u16string_view text) {
    const std::string narrow = Utf16ToAnsi(text);
    const std::string prefix = "剩余:";
    if (narrow.rfind(prefix, 0) != 0 || narrow.back() != 'G') {
        return -1;
    }
    return std::stod(narrow.substr(prefix.size(), narrow.size() - prefix.size() - 1));
}

// A player's home in a temporary folder: the settings file beside the program, a Downloads
// folder, and the window over an owner as the main window would open it.
class SettingPathWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        fs::create_directories(downloads_);
        context_.settingsPath = AnsiToUtf16(settings_.string());
        platform::WritePrivateProfileString(u"soft", u"id", u"140", context_.settingsPath);
        platform::WindowParams params;
        params.className = "Owner";
        params.rect = platform::Rect{200, 150, 1224, 870};
        params.style = platform::kStylePopup | platform::kStyleVisible;
        params.proc = platform::DefaultWindowProc;
        owner_ = platform::CreateNativeWindow(params);
        ASSERT_NE(owner_, 0u);
        person_.emplace();
        hl::ClearShellRequests();
        hl::SetFolderChooserAnswer("");
    }
    void TearDown() override {
        hl::SetFolderChooserAnswer("");
        hl::ClearShellRequests();
        person_.reset();
        platform::DestroyNativeWindow(owner_);
        platform::ProcessPendingMessages();
    }

    // Opens the window and lets the person act on it; returns once it is gone.
    void Run(std::function<void()> act) {
        person_->Post(std::move(act));
        window_.RunOver(owner_);
        EXPECT_EQ(window_.GetHWND(), 0u);
        EXPECT_TRUE(platform::IsWindowEnabled(owner_));
    }
    uikit::CControlUI* Find(std::u16string_view name) {
        return window_.Manager().FindControl(name);
    }
    std::u16string Shown(std::u16string_view name) { return std::u16string(Find(name)->GetText()); }
    // Clicks a control of the open window; `dialog` then acts on the dialog the click opens.
    // Without one, a notice the click opens is a failure, and is closed so the test goes on.
    void Click(std::u16string_view name, std::function<void()> dialog = {}) {
        platform::ProcessPendingMessages();
        if (!dialog) {
            dialog = [this] {
                if (CMessageWnd* notice = window_.OpenNotice()) {
                    ADD_FAILURE() << "unexpected notice: "
                                  << Utf16ToAnsi(
                                         notice->Manager().FindControl(u"titleTips")->GetText());
                    notice->Close(1);
                }
            };
        }
        person_->Post(std::move(dialog));
        ClickControl(window_.GetHWND(), Find(name));
    }
    // Chooses the folder in the platform's chooser and expects the refusal notice with the text.
    void ChooseRefused(const std::string& folder, const char16_t* notice) {
        hl::SetFolderChooserAnswer(folder);
        bool noticed = false;
        Click(u"btnChangePath", [&] {
            CMessageWnd* shown = window_.OpenNotice();
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(platform::GetOwner(shown->GetHWND()), window_.GetHWND());
            EXPECT_FALSE(platform::IsWindowEnabled(window_.GetHWND()));
            EXPECT_EQ(shown->Manager().FindControl(u"titleTips")->GetText(), notice);
            noticed = true;
            ClickInDialog(shown->GetHWND(), shown->Manager().FindControl(u"btn_ok"));
        });
        EXPECT_TRUE(noticed) << folder;
        EXPECT_EQ(window_.OpenNotice(), nullptr);
    }
    std::u16string SavedFolder() {
        return platform::GetPrivateProfileString(u"soft", u"DriveUrlW2V", u"<none>",
                                                 kDownloadFolderCapacity, context_.settingsPath);
    }
    void ExpectInForce(const std::u16string& folder) {
        EXPECT_EQ(context_.downloadFolder, folder);
        EXPECT_EQ(Shown(u"savePathGame"), folder);
    }

    TempDir temp_;
    const fs::path home_ = temp_ / "home";
    const fs::path downloads_ = home_ / "Downloads";
    const fs::path settings_ = temp_ / "kavrin.ini";
    ScopedEnv homeEnv_{"HOME", home_.string()};
    ScopedEnv configEnv_{"XDG_CONFIG_HOME", (home_ / ".config").string()};
    AppContext context_;
    SettingPathWnd window_{context_};
    platform::WindowId owner_ = 0;
    std::optional<QueuedAction> person_;
};

TEST_F(SettingPathWindow, WithoutAChosenFolderItShowsTheDownloadsFolderAndSavesNothing) {
    const std::u16string downloads = AnsiToUtf16(downloads_.string());
    context_.downloadFolder = u"/stale";
    Run([&] {
        ExpectInForce(downloads);
        uint64_t bytes = 0;
        ASSERT_TRUE(platform::FreeSpace(downloads_.string(), bytes));
        // Other programs write meanwhile; the figure is the volume's within a little.
        EXPECT_NEAR(GibIn(Shown(u"residualSize")), static_cast<double>(bytes) / kGib, 1.0);
        EXPECT_NE(Shown(u"residualSize"), u"剩余:0G");
        Click(u"closebtn");
    });
    EXPECT_EQ(SavedFolder(), u"<none>");
    EXPECT_EQ(context_.configuredDownloadFolder, u"");

    Run([&] { Click(u"ConfirmBtn"); });
    EXPECT_EQ(SavedFolder(), u"<none>") << "confirming saves nothing either";
}

TEST_F(SettingPathWindow, AChosenFolderIsInForceAndSavedAtOnceAndCancelKeepsIt) {
    const fs::path chosen = temp_ / "游戏 库";
    fs::create_directories(chosen);
    context_.configuredDownloadFolder = u"/nonexistent/kavrin-old";
    Run([&] {
        ExpectInForce(u"/nonexistent/kavrin-old");
        EXPECT_EQ(Shown(u"residualSize"), u"剩余:0G") << "an unreadable volume keeps the markup";
        hl::SetFolderChooserAnswer(chosen.string());
        Click(u"btnChangePath");
        ExpectInForce(AnsiToUtf16(chosen.string()));
        EXPECT_GT(GibIn(Shown(u"residualSize")), 0.0) << "refreshed for the new volume";
        EXPECT_EQ(SavedFolder(), AnsiToUtf16(chosen.string()));
        Click(u"CancelBtn");
    });
    EXPECT_EQ(context_.configuredDownloadFolder, AnsiToUtf16(chosen.string()));
    EXPECT_EQ(context_.downloadFolder, AnsiToUtf16(chosen.string()));
    EXPECT_EQ(SavedFolder(), AnsiToUtf16(chosen.string()));
    EXPECT_NE(ReadWholeFile(settings_).find("id=140"), std::string::npos) << "the rest stays";
}

TEST_F(SettingPathWindow, ACancelledChooserChangesNothing) {
    const std::u16string configured = AnsiToUtf16(downloads_.string());
    context_.configuredDownloadFolder = configured;
    const std::string before = ReadWholeFile(settings_);
    Run([&] {
        const std::u16string freeText = Shown(u"residualSize");
        Click(u"btnChangePath");  // the chooser answers empty, as when cancelled
        ExpectInForce(configured);
        EXPECT_EQ(window_.OpenNotice(), nullptr);
        Click(u"ConfirmBtn");
    });
    EXPECT_EQ(context_.configuredDownloadFolder, configured);
    EXPECT_EQ(ReadWholeFile(settings_), before);
}

// The engine's folder field holds 259 UTF-16 units; Chinese names are three bytes a unit in the
// chooser's answer, so only the units may count.
TEST_F(SettingPathWindow, FoldersTheEngineCannotSaveIntoAreRefusedWithANotice) {
    const std::u16string base = AnsiToUtf16((temp_ / "").string());
    const auto folderOfUnits = [&](size_t units) {
        fs::path folder = temp_.path();
        size_t left = units - base.size();
        while (left > 0) {
            const size_t part = std::min<size_t>(left, 80);
            // Each part but the last ends in a separator, which is a unit of its own.
            const size_t name = part == left ? part : part - 1;
            folder /= Utf16ToAnsi(std::u16string(name, u'游'));
            left -= part;
        }
        fs::create_directories(folder);
        EXPECT_EQ(AnsiToUtf16(folder.string()).size(), units);
        return folder;
    };
    const fs::path longest = folderOfUnits(kDownloadFolderCapacity - 1);
    const fs::path tooLong = folderOfUnits(kDownloadFolderCapacity);
    ASSERT_GT(longest.string().size(), kDownloadFolderCapacity) << "more bytes than units";
    const fs::path gone = temp_ / "已拔出的盘";

    const std::u16string configured = AnsiToUtf16(downloads_.string());
    context_.configuredDownloadFolder = configured;
    const std::string before = ReadWholeFile(settings_);
    Run([&] {
        ChooseRefused(tooLong.string(), SettingPathWnd::kFolderTooLongText);
        ChooseRefused("/proc/sys", SettingPathWnd::kFolderNotWritableText);
        ChooseRefused(gone.string(), SettingPathWnd::kFolderNotWritableText);
        ExpectInForce(configured);
        EXPECT_EQ(ReadWholeFile(settings_), before);

        hl::SetFolderChooserAnswer(longest.string());
        Click(u"btnChangePath");
        EXPECT_EQ(window_.OpenNotice(), nullptr);
        ExpectInForce(AnsiToUtf16(longest.string()));
        Click(u"closebtn");
    });
    EXPECT_EQ(context_.configuredDownloadFolder, AnsiToUtf16(longest.string()));
    EXPECT_EQ(SavedFolder(), AnsiToUtf16(longest.string())) << "read back whole";
}

TEST_F(SettingPathWindow, BothOpenButtonsAskTheFileManagerForTheFolderInForce) {
    const fs::path chosen = temp_ / "下载 2";
    fs::create_directories(chosen);
    Run([&] {
        Click(u"btnOpenPath");
        hl::SetFolderChooserAnswer(chosen.string());
        Click(u"btnChangePath");
        Click(u"folderPng");
        Click(u"closebtn");
    });
    EXPECT_EQ(hl::ShellRequests(), (std::vector<Request>{{Request::OpenFolder, downloads_.string()},
                                                         {Request::OpenFolder, chosen.string()}}));
}

// The window as a player sees it, with its shadow, over a grey desktop at twice the size; and
// the refusal notice over it.
void WritePreview(const std::vector<platform::WindowId>& windows, const std::string& name) {
    WriteScreenPreview(name, WindowsArea(windows), windows);
}

std::vector<platform::WindowId> WithShadow(const uikit::CWindowWnd& window) {
    std::vector<platform::WindowId> windows;
    if (window.Shadow() != nullptr) {
        windows.push_back(window.Shadow()->GetWindow());
    }
    windows.push_back(window.GetHWND());
    return windows;
}

TEST_F(SettingPathWindow, PreviewWithARealFolderAndItsFreeSpace) {
    const fs::path folder = home_ / "下载" / "经典游戏";
    fs::create_directories(folder);
    context_.configuredDownloadFolder = AnsiToUtf16(folder.string());
    Run([&] {
        platform::ProcessPendingMessages();
        WritePreview(WithShadow(window_), "SettingPathWnd");
        hl::SetFolderChooserAnswer("/proc/sys");
        Click(u"btnChangePath", [&] {
            CMessageWnd* notice = window_.OpenNotice();
            ASSERT_NE(notice, nullptr);
            platform::ProcessPendingMessages();
            std::vector<platform::WindowId> shown = WithShadow(window_);
            for (const platform::WindowId over : WithShadow(*notice)) {
                shown.push_back(over);
            }
            WritePreview(shown, "SettingPathWnd-refused");
            notice->Close(1);
        });
        Click(u"closebtn");
    });
}

// The real main window: the menu's command opens the settings over it.
class SettingsFromTheMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        UseBuiltEngine(context_);
        context_.settingsPath = AnsiToUtf16((temp_ / "kavrin.ini").string());
        context_.configuredDownloadFolder = AnsiToUtf16(temp_.path().string());
        window_ = std::make_unique<CMainWnd>(context_, MainPagesFactory{});
        ShowMainWindow(*window_);
        hwnd_ = window_->GetHWND();
    }
    void TearDown() override { EndMainWindow(hwnd_); }

    TempDir temp_;
    AppContext context_;
    std::unique_ptr<CMainWnd> window_;
    platform::WindowId hwnd_ = 0;
};

TEST_F(SettingsFromTheMenu, TheCommandOpensTheWindowModallyOverTheMainWindow) {
    ClickControl(hwnd_, window_->Manager().FindControl(u"btnMenu"));
    ASSERT_EQ(uikit::MenuObserver().menus.size(), 1u);
    uikit::CMenuWnd* menu = uikit::MenuObserver().menus.front();
    bool opened = false;
    QueuedAction person;
    platform::ProcessPendingMessages();
    // The menu posts its command as it closes; the person acts once the command has run.
    ClickControl(menu->GetHWND(), menu->Manager().FindControl(u"settingGamePath"));
    person.Post([&] {
        const auto found = hl::WindowsOfClass("SettingPathWnd");
        ASSERT_EQ(found.size(), 1u);
        const platform::WindowId settings = found.front();
        EXPECT_EQ(platform::GetOwner(settings), hwnd_);
        EXPECT_TRUE(platform::IsWindowVisible(settings));
        EXPECT_FALSE(platform::IsWindowEnabled(hwnd_)) << "modal";
        EXPECT_TRUE(uikit::MenuObserver().menus.empty());
        const platform::Rect main = platform::GetWindowRect(hwnd_);
        const platform::Rect rc = platform::GetWindowRect(settings);
        EXPECT_EQ(rc.Width(), 400);
        EXPECT_EQ(rc.Height(), 200);
        EXPECT_LE(std::abs((rc.left + rc.right) - (main.left + main.right)), 1) << "centred";
        EXPECT_LE(std::abs((rc.top + rc.bottom) - (main.top + main.bottom)), 1);
        opened = true;
        platform::ProcessPendingMessages();
        hl::KeyDown(platform::VK_ESCAPE);
    });
    platform::ProcessPendingMessages();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(hl::WindowsOfClass("SettingPathWnd").empty());
    EXPECT_TRUE(platform::IsWindowEnabled(hwnd_));
    EXPECT_EQ(context_.downloadFolder, AnsiToUtf16(temp_.path().string()));
}

}  // namespace
