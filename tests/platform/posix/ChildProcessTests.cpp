#include <gtest/gtest.h>

#include "platform/ChildProcess.h"

namespace {

TEST(ChildProcess, ReadsOutputLinesAndReportsTheExitStatus) {
    auto child =
        platform::StartChildProcess("/bin/sh", {"sh", "-c", "echo first; echo second; exit 3"});
    ASSERT_NE(child, nullptr);
    std::string line;
    ASSERT_TRUE(child->ReadLine(line, 5000));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(child->ReadLine(line, 5000));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(child->ReadLine(line, 5000));  // output ended
    EXPECT_EQ(child->Terminate(), 3);
}

TEST(ChildProcess, TerminateEndsAChildThatKeepsRunning) {
    auto child = platform::StartChildProcess("/bin/sleep", {"sleep", "60"});
    ASSERT_NE(child, nullptr);
    std::string line;
    EXPECT_FALSE(child->ReadLine(line, 100));
    EXPECT_EQ(child->Terminate(), 128 + 15);
}

TEST(ChildProcess, AMissingProgramIsReported) {
    EXPECT_EQ(platform::StartChildProcess("/nonexistent/program", {"program"}), nullptr);
}

}  // namespace
