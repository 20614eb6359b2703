#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/TextConvert.h"
#include "download/DownWrapper.h"
#include "platform/Process.h"
#include "platform/SharedLibrary.h"
#include "tests/support/TempDir.h"

using DownEngine::CDownWrapper;
using DownEngine::EngineLoadError;

namespace {

std::u16string Folder(const std::filesystem::path& path) {
    return AnsiToUtf16(path.string()) + platform::kPathSeparator;
}

const std::string kEngineFile = Utf16ToAnsi(platform::SharedLibraryFileName(u"dlengine"));

// Runs body with the current folder set to folder, then goes back.
template <typename Body>
void InFolder(const std::filesystem::path& folder, Body body) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    body();
    std::filesystem::current_path(previous);
}

TEST(DownWrapperTest, LoadsTheEngineFromTheProgramFolderAndResolvesAllNames) {
    CDownWrapper wrapper(Folder(ENGINE_DIR));
    EXPECT_EQ(wrapper.ResolvedCount(), 21);
    EXPECT_EQ(wrapper.Init(), 1);
    EXPECT_EQ(wrapper.GetVersion(), 0x01000000);
    EXPECT_EQ(wrapper.GetTaskCount(), 0);
    EngineTaskRequest request;
    std::memset(&request, 0, sizeof request);
    const DL_TaskHandle task = wrapper.CreateTask(request);
    EXPECT_NE(task, 0u);
    EXPECT_EQ(wrapper.StartTask(task), 0);  // no URL: refused, not crashed
    EngineTaskReport report{};
    EXPECT_EQ(wrapper.QueryTaskInfoEx(task, report), 1);
    EXPECT_EQ(report.state, DL_STATE_ERROR);
    EXPECT_EQ(wrapper.DeleteTask(task), 1);
    // The destructor ends the engine's thread before the library goes away.
}

TEST(DownWrapperTest, NeverLoadsALibraryFromTheCurrentFolder) {
    TempDir programDir;
    InFolder(ENGINE_DIR, [&] {
        EXPECT_THROW(CDownWrapper(Folder(programDir.path())), EngineLoadError);
        EXPECT_THROW(CDownWrapper(u"./"), EngineLoadError);
        EXPECT_THROW(CDownWrapper(u""), EngineLoadError);
    });
}

TEST(DownWrapperTest, ConstructionErrorNamesTheFile) {
    TempDir programDir;
    try {
        CDownWrapper wrapper(Folder(programDir.path()));
        FAIL() << "loaded a library that is not there";
    } catch (const EngineLoadError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find("can not load"), std::string::npos) << text;
        EXPECT_NE(text.find((programDir / kEngineFile).string()), std::string::npos) << text;
    }
}

TEST(DownWrapperTest, CallsThroughEmptySlotsAreSkipped) {
    TempDir programDir;
    std::filesystem::copy_file(PARTIAL_ENGINE, programDir / kEngineFile);
    CDownWrapper wrapper(Folder(programDir.path()));
    EXPECT_EQ(wrapper.ResolvedCount(), 2);
    EXPECT_EQ(wrapper.Init(), 1);
    EXPECT_EQ(wrapper.GetVersion(), 7);
    EngineTaskRequest request{};
    EXPECT_EQ(wrapper.CreateTask(request), 0u);
    EXPECT_EQ(wrapper.StartTask(1), 0);
    EngineTaskReport report{};
    EXPECT_EQ(wrapper.QueryTaskInfoEx(1, report), 0);
    EXPECT_STREQ(wrapper.GetErrorText(0), "");
}

}  // namespace
