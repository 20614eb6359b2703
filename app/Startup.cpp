#include "app/Startup.h"

#include "api/InitParams.h"
#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "context/MainWindowIdentity.h"
#include "update/CheckForUpdate.h"

namespace {

constexpr int kFirstElevatedMajorVersion = 6;
constexpr const char* kNetworkInitFailed = "初始化网络失败";
constexpr const char* kPathTooLong =
    "Kavrin 所在的文件夹路径过长，请将程序放到路径较短的文件夹中。";

}  // namespace

bool EnsureAdministrator(StartupSystem& system) {
    if (system.IsAdministratorMember()) {
        return true;
    }
    if (system.OsMajorVersion() < kFirstElevatedMajorVersion) {
        return true;
    }
    if (system.RelaunchElevated()) {
        system.ExitProcess(0);
    }
    return false;
}

std::vector<StartupWorker> StartupWorkers(AppContext& context) {
    return {
        {LoadInitParams, {&context, nullptr}},
        {CheckForUpdate, {&context, nullptr}},
        {LoadCatalog, {&context, &ProcessCatalog()}},
        {LoadOrders, {&context, &ProcessOrders()}},
    };
}

bool InitApplication(StartupSystem& system, AppContext& context) {
    // The running instance is looked for before the rights check, and told only after it.
    const bool runningInstance = system.FindRunningInstance();
    if (!EnsureAdministrator(system)) {
        return false;
    }
    if (runningInstance) {
        system.ActivateRunningInstance();
        return false;
    }
    // Every local file lives beside the executable; a folder that leaves no room for their
    // names would make each of them fail silently.
    if (!context.pathsFit) {
        system.ShowErrorBox(kPathTooLong, kMainWindowTitle);
        return false;
    }
    system.ReadSettings(context);
    context.baseUrl = KAVRIN_BASE_URL;
    if (!system.InitHttpLibrary()) {
        system.ShowErrorBox(kNetworkInitFailed, kMainWindowTitle);
        return false;
    }
    for (const StartupWorker& worker : StartupWorkers(context)) {
        system.StartWorker(worker.routine, worker.job);
    }
    return system.CreateMainWindow();
}
