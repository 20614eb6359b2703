#pragma once

#include <curl/curl.h>

#include <string>

#include "engine/BufferPool.h"
#include "engine/DiskWriter.h"
#include "engine/EngineSettings.h"
#include "engine/SyncWorker.h"

namespace dlengine {

// What every task of the engine thread shares.
struct EngineParts {
    CURLM* multi = nullptr;
    BufferPool& pool;
    DiskWriter& writer;
    SyncWorker& syncer;
    EngineSettings settings;
    std::string bootId;
    int transfers = 0;  // running in all tasks together
};

}  // namespace dlengine
