#pragma once

#include "context/AppContext.h"

// What a start-up worker routine is given: the context it reads and the container it fills
// (null for a worker that fills none). The thread that runs the routine keeps its own copy.
struct WorkerJob {
    const AppContext* context = nullptr;
    void* target = nullptr;
};
