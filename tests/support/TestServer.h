#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/RemoteChildProcess.h"

// A kavrin-server started for one test on a free loopback port, stopped when the test ends.
class TestServer {
  public:
    explicit TestServer(std::vector<std::string> options = {}) {
        std::vector<std::string> args = {KAVRIN_SERVER_BINARY, "--port", "0"};
        args.insert(args.end(), options.begin(), options.end());
        process_ = Start(args);
        if (!process_) {
            ADD_FAILURE() << "cannot start " << KAVRIN_SERVER_BINARY;
            return;
        }
        std::string line;
        const std::string marker = "kavrin-server listening on ";
        if (!process_->ReadLine(line, 15000) || line.rfind(marker, 0) != 0) {
            ADD_FAILURE() << "kavrin-server did not start: " << line;
            return;
        }
        baseUrl_ = line.substr(marker.size());
    }

    ~TestServer() {
        if (process_) {
            process_->Terminate();
        }
    }

    // "https://127.0.0.1:PORT/"
    const std::string& baseUrl() const { return baseUrl_; }

    // The request log lines so far.
    std::vector<std::string> Log() const {
        return process_ ? process_->History() : std::vector<std::string>{};
    }

  private:
#ifdef KAVRIN_SERVER_BROKER_PORT_FILE
    // Under Wine the Linux server is started by the broker of the test run.
    static std::unique_ptr<platform::ChildProcess> Start(const std::vector<std::string>& args) {
        int port = 0;
        std::ifstream(KAVRIN_SERVER_BROKER_PORT_FILE) >> port;
        return port > 0 ? platform::StartRemoteChildProcess(port, KAVRIN_SERVER_BINARY, args)
                        : nullptr;
    }
#else
    static std::unique_ptr<platform::ChildProcess> Start(const std::vector<std::string>& args) {
        return platform::StartChildProcess(KAVRIN_SERVER_BINARY, args);
    }
#endif

    std::unique_ptr<platform::ChildProcess> process_;
    std::string baseUrl_;
};
