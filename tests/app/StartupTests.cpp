#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/InitParams.h"
#include "app/Startup.h"
#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "update/CheckForUpdate.h"

namespace {

// Records what start-up asks of the system, in order, and answers as configured.
class FakeSystem : public StartupSystem {
  public:
    bool administrator = true;
    int majorVersion = 10;
    bool relaunchWorks = false;
    bool instanceRunning = false;
    bool httpWorks = true;
    bool windowWorks = true;
    std::vector<std::string> calls;
    std::vector<WorkerRoutine> workers;
    std::vector<WorkerJob> jobs;
    std::string errorText;

    bool IsAdministratorMember() override { return Record("admin?"), administrator; }
    int OsMajorVersion() override { return Record("version?"), majorVersion; }
    bool RelaunchElevated() override { return Record("relaunch"), relaunchWorks; }
    void ExitProcess(int code) override { Record("exit " + std::to_string(code)); }
    bool FindRunningInstance() override { return Record("find"), instanceRunning; }
    void ActivateRunningInstance() override { Record("activate"); }
    bool ReadSettings(AppContext&) override { return Record("settings"), true; }
    bool InitHttpLibrary() override { return Record("http"), httpWorks; }
    void ShowErrorBox(const std::string& text, const std::string& caption) override {
        Record("error box " + caption);
        errorText = text;
    }
    void StartWorker(WorkerRoutine routine, WorkerJob job) override {
        Record("worker");
        workers.push_back(routine);
        jobs.push_back(job);
    }
    bool CreateMainWindow() override { return Record("window"), windowWorks; }

  private:
    void Record(std::string call) { calls.push_back(std::move(call)); }
};

using Calls = std::vector<std::string>;

class StartupTest : public ::testing::Test {
  protected:
    StartupTest() { ComposeProgramPaths(context, u"/opt/kavrin/kavrin"); }
    FakeSystem system;
    AppContext context;
};

TEST_F(StartupTest, AFirstStartRunsEveryStepInOrder) {
    EXPECT_TRUE(InitApplication(system, context));
    EXPECT_EQ(system.calls, (Calls{"find", "admin?", "settings", "http", "worker", "worker",
                                   "worker", "worker", "window"}));
    EXPECT_EQ(system.workers, (std::vector<StartupSystem::WorkerRoutine>{
                                  LoadInitParams, CheckForUpdate, LoadCatalog, LoadOrders}));
    // Each worker reads the context start-up was given, not some other one, and fills the
    // process's containers.
    ASSERT_EQ(system.jobs.size(), 4u);
    for (const WorkerJob& job : system.jobs) {
        EXPECT_EQ(job.context, &context);
    }
    EXPECT_EQ(system.jobs[0].target, nullptr);
    EXPECT_EQ(system.jobs[1].target, nullptr);
    EXPECT_EQ(system.jobs[2].target, &ProcessCatalog());
    EXPECT_EQ(system.jobs[3].target, &ProcessOrders());
    EXPECT_EQ(context.baseUrl, KAVRIN_BASE_URL);
}

TEST_F(StartupTest, ASecondStartHandsOverAfterTheRightsCheckWithoutTouchingSettings) {
    system.instanceRunning = true;
    EXPECT_FALSE(InitApplication(system, context));
    EXPECT_EQ(system.calls, (Calls{"find", "admin?", "activate"}));
}

TEST_F(StartupTest, WithoutRightsAnElevatedCopyTakesOverOrNothingRuns) {
    system.administrator = false;
    system.instanceRunning = true;
    system.relaunchWorks = true;
    InitApplication(system, context);
    EXPECT_EQ(system.calls, (Calls{"find", "admin?", "version?", "relaunch", "exit 0"}));

    FakeSystem declined;
    declined.administrator = false;
    EXPECT_FALSE(InitApplication(declined, context));
    EXPECT_EQ(declined.calls, (Calls{"find", "admin?", "version?", "relaunch"}));

    // Before elevation existed every process may go on.
    FakeSystem old;
    old.administrator = false;
    old.majorVersion = 5;
    EXPECT_TRUE(EnsureAdministrator(old));
    EXPECT_EQ(old.calls, (Calls{"admin?", "version?"}));
}

TEST_F(StartupTest, AFailedNetworkLibraryShowsOneMessageAndNoWindow) {
    system.httpWorks = false;
    EXPECT_FALSE(InitApplication(system, context));
    EXPECT_EQ(system.calls, (Calls{"find", "admin?", "settings", "http", "error box Kavrin"}));
    EXPECT_EQ(system.errorText, "初始化网络失败");
}

TEST_F(StartupTest, AProgramFolderTooLongForItsFilesIsRefusedWithAMessage) {
    ComposeProgramPaths(context, u"/" + std::u16string(300, u'x') + u"/kavrin");
    EXPECT_FALSE(InitApplication(system, context));
    EXPECT_EQ(system.calls, (Calls{"find", "admin?", "error box Kavrin"}));
}

TEST_F(StartupTest, AMainWindowThatCannotBeMadeEndsStartUp) {
    system.windowWorks = false;
    EXPECT_FALSE(InitApplication(system, context));
    EXPECT_EQ(system.calls.back(), "window");
}

}  // namespace
