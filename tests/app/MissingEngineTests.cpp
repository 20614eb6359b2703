#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ChildProcess.h"
#include "platform/SingleInstance.h"
#include "tests/support/TempDir.h"

namespace {

// A copy of the program in a folder of its own, without the download engine beside it: start-up
// ends without a main window and says why, however the engine went missing.
TEST(MissingEngine, StartUpEndsWithoutAMainWindowAndNamesTheEngine) {
    TempDir folder;
    const std::filesystem::path program = folder.path() / "kavrin";
    std::filesystem::copy_file(KAVRIN_PROGRAM, program);
    auto child = platform::StartChildProcess(
        "/usr/bin/env", {"env", "KAVRIN_WINDOW_SYSTEM=headless", program.string()});
    ASSERT_NE(child, nullptr);

    bool named = false;
    std::string line;
    while (child->ReadLine(line, 30000)) {
        named = named || line.find("dlengine") != std::string::npos;
    }
    EXPECT_EQ(child->Terminate(), 0);
    EXPECT_TRUE(named) << "the reason was not written";
    EXPECT_EQ(platform::FindRunningInstance("_SoftMainWnd_", "Kavrin"), nullptr);
}

}  // namespace
