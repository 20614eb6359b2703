#pragma once

#include <memory>

#include "app/Startup.h"
#include "platform/SingleInstance.h"
#include "ui/main/MainPages.h"

class CMainWnd;

// The start-up sequence's view of this process and its platform: rights, the single-instance
// hand-over, settings, the HTTP library, detached worker threads and the main window.
class AppStartupSystem : public StartupSystem {
  public:
    static constexpr const char* kEngineMissing =
        "无法加载下载组件，Kavrin 无法下载游戏。请重新安装 Kavrin。";

    AppStartupSystem(AppContext& context, MainPagesFactory pages);

    bool IsAdministratorMember() override;
    int OsMajorVersion() override;
    bool RelaunchElevated() override;
    void ExitProcess(int code) override;
    bool FindRunningInstance() override;
    void ActivateRunningInstance() override;
    bool ReadSettings(AppContext& context) override;
    bool InitHttpLibrary() override;
    void ShowErrorBox(const std::string& text, const std::string& caption) override;
    void StartWorker(WorkerRoutine routine, WorkerJob job) override;
    bool CreateMainWindow() override;

    CMainWnd* MainWindow() const { return mainWindow_; }

  private:
    AppContext& context_;
    MainPagesFactory pages_;
    std::unique_ptr<platform::RunningInstance> running_;
    std::unique_ptr<platform::InstanceListener> listener_;
    // Lives until the process ends, as the window's messages may come until then.
    CMainWnd* mainWindow_ = nullptr;
};
