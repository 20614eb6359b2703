#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/ChildProcess.h"
#include "platform/SingleInstance.h"
#include "tests/support/Poll.h"

namespace {

constexpr const char* kProgram = KAVRIN_PROGRAM;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The program on the in-memory window system, so that it runs without a desktop.
std::unique_ptr<platform::ChildProcess> StartProgram() {
    return platform::StartChildProcess("/usr/bin/env",
                                       {"env", "KAVRIN_WINDOW_SYSTEM=headless", kProgram});
}

bool WaitForRunningInstance() {
    return PollUntil(
        [] { return platform::FindRunningInstance("_SoftMainWnd_", "Kavrin") != nullptr; },
        std::chrono::seconds(20), std::chrono::milliseconds(50));
}

// Waits for the child to end by itself: its output ends when it does.
int WaitForExit(platform::ChildProcess& child) {
    std::string line;
    while (child.ReadLine(line, 30000)) {
    }
    return child.Terminate();
}

TEST(SecondStart, HandsOverToTheRunningProgramAndEndsWithoutTouchingTheSettings) {
    auto first = StartProgram();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(WaitForRunningInstance());
    const std::filesystem::path settings =
        std::filesystem::path(kProgram).parent_path() / "kavrin.ini";
    ASSERT_TRUE(std::filesystem::exists(settings));
    const std::string before = ReadFile(settings);
    const auto writtenBefore = std::filesystem::last_write_time(settings);

    auto second = StartProgram();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WaitForExit(*second), 0);

    EXPECT_EQ(ReadFile(settings), before);
    EXPECT_EQ(std::filesystem::last_write_time(settings), writtenBefore);
    // The first start is still the running instance.
    EXPECT_NE(platform::FindRunningInstance("_SoftMainWnd_", "Kavrin"), nullptr);
    first->Terminate();
}

}  // namespace
