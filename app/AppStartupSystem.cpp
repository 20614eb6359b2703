#include "app/AppStartupSystem.h"

#include <cstdio>

#include "api/ApiClient.h"
#include "context/LocalFiles.h"
#include "context/MainWindowIdentity.h"
#include "context/Messages.h"
#include "context/Settings.h"
#include "platform/CrashHandler.h"
#include "platform/Dialogs.h"
#include "platform/Process.h"
#include "platform/Window.h"
#include "ui/main/MainWnd.h"

AppStartupSystem::AppStartupSystem(AppContext& context, MainPagesFactory pages)
    : context_(context), pages_(std::move(pages)) {}

bool AppStartupSystem::IsAdministratorMember() {
    return platform::IsAdministratorMember();
}

int AppStartupSystem::OsMajorVersion() {
    return platform::OsMajorVersion();
}

bool AppStartupSystem::RelaunchElevated() {
    return platform::RelaunchElevated();
}

void AppStartupSystem::ExitProcess(int code) {
    platform::ExitProcess(code);
}

bool AppStartupSystem::FindRunningInstance() {
    running_ = platform::FindRunningInstance(kMainWindowClass, kMainWindowTitle);
    return running_ != nullptr;
}

void AppStartupSystem::ActivateRunningInstance() {
    if (running_ != nullptr) {
        running_->Post(MSG_ACTIVATE_INSTANCE);
    }
}

bool AppStartupSystem::ReadSettings(AppContext& context) {
    PrepareLocalFiles(context);
    return ::ReadSettings(context);
}

bool AppStartupSystem::InitHttpLibrary() {
    return ::InitHttpLibrary();
}

void AppStartupSystem::ShowErrorBox(const std::string& text, const std::string& caption) {
    platform::ShowMessageBox(0, text, caption);
}

void AppStartupSystem::StartWorker(WorkerRoutine routine, WorkerJob job) {
    StartWorkerThread(routine, job);
}

bool AppStartupSystem::CreateMainWindow() {
    try {
        mainWindow_ = new CMainWnd(context_, pages_);
    } catch (const DownEngine::EngineLoadError& error) {
        // Without its engine the program could show the catalogue but never download from it.
        std::fprintf(stderr, "%s\n", error.what());
        platform::ShowMessageBox(0, kEngineMissing, kMainWindowTitle);
        return false;
    }
    if (!mainWindow_->CreateMain(platform::kStylePopup | platform::kStyleVisible)) {
        return false;
    }
    mainWindow_->CenterWindow();
    // Later starts of the program reach this window through the platform's hand-over.
    listener_ = platform::ListenForLaterInstances(kMainWindowClass, kMainWindowTitle,
                                                  mainWindow_->GetHWND(), MSG_ACTIVATE_INSTANCE);
    return true;
}
