#pragma once

#include <string>
#include <vector>

#include "context/AppContext.h"
#include "context/WorkerJob.h"

// What the start-up sequence asks of the system, so that its order and its decisions can be
// tested without one. The process's own implementation is in AppStartupSystem.
class StartupSystem {
  public:
    using WorkerRoutine = int (*)(void*);

    virtual ~StartupSystem() = default;

    // Rights.
    virtual bool IsAdministratorMember() = 0;
    virtual int OsMajorVersion() = 0;
    virtual bool RelaunchElevated() = 0;
    virtual void ExitProcess(int code) = 0;

    // The single-instance hand-over: look for a running instance, later tell it to come forward.
    virtual bool FindRunningInstance() = 0;
    virtual void ActivateRunningInstance() = 0;

    virtual bool ReadSettings(AppContext& context) = 0;
    virtual bool InitHttpLibrary() = 0;
    virtual void ShowErrorBox(const std::string& text, const std::string& caption) = 0;
    // Runs the routine on a thread of its own with a pointer to that thread's copy of the job.
    virtual void StartWorker(WorkerRoutine routine, WorkerJob job) = 0;

    // Creates the main window object and its native window and centres it; false when either
    // cannot be made.
    virtual bool CreateMainWindow() = 0;
};

// True when this process may go on; false when it must end. After a successful relaunch with
// raised rights the process ends here.
bool EnsureAdministrator(StartupSystem& system);

// The start-up sequence. True when the main window exists and the message loop is to run.
bool InitApplication(StartupSystem& system, AppContext& context);

// The worker routines start-up runs, in their order, with their arguments.
struct StartupWorker {
    StartupSystem::WorkerRoutine routine;
    WorkerJob job;
};
std::vector<StartupWorker> StartupWorkers(AppContext& context);
