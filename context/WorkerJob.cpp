#include "context/WorkerJob.h"

#include <thread>

#include "platform/CrashHandler.h"

void StartWorkerThread(WorkerRoutine routine, WorkerJob job) {
    std::thread([routine, job]() mutable {
        platform::GiveThreadCrashStack();
        routine(&job);
    }).detach();
}
