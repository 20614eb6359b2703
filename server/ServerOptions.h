#pragma once

#include <cstdint>
#include <string>

#include "server/FaultMode.h"
#include "server/ServerEnvelope.h"

// The command line of kavrin-server. Every option has a default that serves the development
// build: its own key material and the demo data of the source tree.
struct ServerOptions {
    int port = 47443;  // 0: any free port
    std::string host = "127.0.0.1";
    std::string dataDir;
    std::string certFile;
    std::string keyFile;
    std::string rsaKeyFile;
    ServerEnvelope::AnswerForm form;
    FaultMode fault = FaultMode::None;
    int stallMs = 3000;
    uint64_t rateBytesPerSecond = 0;  // per download answer; 0: unpaced

    ServerOptions();
};

// False, with a message in error, for an unknown option, a missing value or a bad number.
bool ParseServerOptions(int argc, const char* const* argv, ServerOptions& options,
                        std::string& error);

const char* ServerUsage();
