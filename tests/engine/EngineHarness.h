#pragma once

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "common/TextConvert.h"
#include "engine/DlEngine.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"

// Content that no two tests share by accident.
inline std::string RandomContent(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string content(size, '\0');
    for (char& byte : content) {
        byte = static_cast<char>(random());
    }
    return content;
}

inline std::string Sha256(const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest, &length, EVP_sha256(), nullptr);
    static const char* hex = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 15];
    }
    return text;
}

// The request block as the client fills it.
inline std::unique_ptr<EngineTaskRequest> MakeRequest(const std::string& url,
                                                      const std::string& folder,
                                                      const std::string& name) {
    auto request = std::make_unique<EngineTaskRequest>();
    std::memset(request.get(), 0, sizeof(EngineTaskRequest));
    const auto copy = [](char16_t* field, const std::string& text) {
        const std::u16string wide = AnsiToUtf16(text);
        std::memcpy(field, wide.data(), wide.size() * sizeof(char16_t));
    };
    copy(request->url, url);
    copy(request->fileName, name);
    copy(request->saveFolder, folder);
    request->clientField5 = 5;
    request->clientField1 = 1;
    return request;
}

inline EngineTaskReport Report(DL_TaskHandle task) {
    EngineTaskReport report{};
    report.state = 2;
    EXPECT_NE(DL_QueryTaskInfoEx(task, &report), 0);
    return report;
}

// Polls as the client does until the report satisfies done; the bound only keeps a broken
// engine from hanging the suite.
inline EngineTaskReport WaitFor(DL_TaskHandle task,
                                const std::function<bool(const EngineTaskReport&)>& done,
                                int boundSeconds = 120) {
    EngineTaskReport report{};
    PollUntil(
        [&] {
            report = Report(task);
            return done(report);
        },
        std::chrono::seconds(boundSeconds), std::chrono::milliseconds(20));
    return report;
}

inline bool Settled(const EngineTaskReport& report) {
    return report.state == DL_STATE_COMPLETE || report.state == DL_STATE_ERROR;
}

// Each test gets a running engine and a fresh folder.
class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(DL_Init(), 1); }
    void TearDown() override { DL_UnInit(); }

    DL_TaskHandle StartTask(const std::string& url, const std::string& name) {
        auto request = MakeRequest(url, folder_.path().string(), name);
        const DL_TaskHandle task = DL_CreateTask(request.get());
        EXPECT_NE(task, 0u);
        EXPECT_EQ(DL_StartTask(task), 1);
        return task;
    }

    std::string Saved(const std::string& name) { return ReadWholeFile(folder_ / name); }

    TempDir folder_;
};
