#pragma once

#include <cstdint>
#include <string>

namespace dlengine {

// Options that apply to transfers started after they change.
struct EngineSettings {
    std::string caFile;
    std::string proxy;
    std::string userAgent = "dlengine/1.0";
    int64_t speedLimit = 0;   // bytes per second for all transfers together; 0 = none
    int maxConnections = 16;  // per task
};

}  // namespace dlengine
