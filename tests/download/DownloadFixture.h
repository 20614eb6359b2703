#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/TextConvert.h"
#include "context/AppContext.h"
#include "context/EmbeddedKeys.h"
#include "download/DownloadManager.h"
#include "download/EngineTrust.h"
#include "server/DemoFileBytes.h"
#include "tests/support/ServedFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"

// A row that remembers what the manager showed on it.
class RecordedRow : public DownEngine::DownloadRowView {
  public:
    void ShowStatusView(int32_t status) override { views.push_back(status); }
    void SetStatusText(std::u16string_view text) override { statusText = text; }
    void SetStatusTip(std::u16string_view text) override { tip = text; }
    void SetTimeText(std::u16string_view text) override { time = text; }
    int32_t LastView() const { return views.empty() ? -1 : views.back(); }

    std::vector<int32_t> views;
    std::u16string statusText = u"未下载";
    std::u16string tip;
    std::u16string time;
};

class RecordedPage : public DownEngine::DownloadListView {
  public:
    DownEngine::DownloadRowView* AddRow(DownEngine::Download&) override {
        rows.push_back(std::make_unique<RecordedRow>());
        return rows.back().get();
    }
    void HideEmptyNotice() override { noticeHidden = true; }

    std::vector<std::unique_ptr<RecordedRow>> rows;
    bool noticeHidden = false;
};

class RecordedTimer : public DownEngine::PollTimer {
  public:
    void Set() override {
        ++sets;
        running = true;
    }
    void Kill() override {
        ++kills;
        running = false;
    }
    int sets = 0;
    int kills = 0;
    bool running = false;
};

// The download manager with the real engine, a kavrin-server of its own that serves made-up
// files of the sizes a test asks for, and its own download folder and record file.
class DownloadManagerTest : public ::testing::Test {
  protected:
    using Clock = std::chrono::steady_clock;

    // Starts the server with files of these names (without ".zip") and sizes.
    void Serve(const std::vector<std::pair<std::string, int64_t>>& files,
               std::vector<std::string> options = {}) {
        WriteServedCatalog(data_.path(), files);
        options.insert(options.begin(), {"--data", data_.path().string()});
        server_ = std::make_unique<TestServer>(options);
    }

    void SetUp() override {
        ASSERT_EQ(engine_.Init(), 1);
        DownEngine::TrustClientCertificates(engine_, kTrustedCaPem);
        context_.downloadFolder = AnsiToUtf16(folder_.path().string());
        manager_.KeepRecordAt(RecordPath());
    }

    std::u16string RecordPath() const { return record_.Wide("gameList.dat"); }

    std::unique_ptr<DownloadRecord> Pick(const std::string& name, int32_t type = 1) {
        auto record = std::make_unique<DownloadRecord>();
        record->name = AnsiToUtf16(name);
        record->extension = u".zip";
        record->url = AnsiToUtf16(server_->baseUrl() + "files/" + name + ".zip");
        record->size = 1;
        record->type = type;
        return record;
    }

    void Start(std::vector<std::unique_ptr<DownloadRecord>> records) {
        manager_.StartDownloads(std::move(records));
    }

    template <typename... Names>
    void StartFiles(Names... names) {
        DownloadSelection list;
        (list.push_back(Pick(names)), ...);
        Start(std::move(list));
    }

    DownEngine::Download& At(size_t i) { return *manager_.Downloads().at(i); }
    RecordedRow& Row(size_t i) { return *page_.rows.at(i); }
    int32_t StatusOf(size_t i) { return At(i).record->status; }

    // Ticks the poll timer as the window would, every 20 ms, until done() or 20 s passed.
    template <typename Done>
    bool TickUntil(Done done) {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (Clock::now() > deadline) {
                return false;
            }
            if (timer_.running) {
                manager_.PollDownloads(DownEngine::DownloadManager::kPollTimerId);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    std::string Saved(const std::string& name) const { return ReadWholeFile(folder_ / name); }
    static std::string Expected(const std::string& name, int64_t size) {
        return DemoFileBytes(name + ".zip", 0, static_cast<size_t>(size));
    }

    TempDir data_;
    TempDir folder_;
    TempDir record_;
    std::unique_ptr<TestServer> server_;
    DownEngine::CDownWrapper engine_{AnsiToUtf16(ENGINE_DIR "/")};
    AppContext context_;
    RecordedPage page_;
    RecordedTimer timer_;
    DownEngine::DownloadManager manager_{engine_, context_, page_, timer_};
};
