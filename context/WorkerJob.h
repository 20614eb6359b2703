#pragma once

#include "context/AppContext.h"

// What a start-up worker routine is given: the context it reads and the container it fills
// (null for a worker that fills none). The thread that runs the routine keeps its own copy.
struct WorkerJob {
    const AppContext* context = nullptr;
    void* target = nullptr;
};

// A worker routine: runs once with a pointer to its thread's copy of the job and returns 0.
using WorkerRoutine = int (*)(void*);

// Runs the routine on a thread of its own, never joined: the process ends without waiting
// for a worker that still waits on the network.
void StartWorkerThread(WorkerRoutine routine, WorkerJob job);
