#include "platform/RemoteChildProcess.h"

#include <thread>

#include "platform/ChildOutputLines.h"
#include "platform/LoopbackStream.h"

namespace platform {
namespace {

class RemoteChildProcess final : public ChildProcess {
  public:
    explicit RemoteChildProcess(std::unique_ptr<LoopbackStream> stream)
        : stream_(std::move(stream)) {
        reader_ = std::thread([this] { ReadAll(); });
    }

    ~RemoteChildProcess() override { Terminate(); }

    bool ReadLine(std::string& line, int timeoutMs) override {
        return lines_.ReadLine(line, timeoutMs);
    }

    // The broker ends the child when the connection closes; its status stays on that side.
    int Terminate() override {
        stream_->ShutDown();
        if (reader_.joinable()) {
            reader_.join();
        }
        return 0;
    }
    int Kill() override { return Terminate(); }

    std::vector<std::string> History() const override { return lines_.History(); }

  private:
    void ReadAll() {
        char buffer[4096];
        long n = 0;
        while ((n = stream_->Receive(buffer, sizeof buffer)) > 0) {
            lines_.Append(buffer, static_cast<size_t>(n));
        }
        lines_.End();
    }

    std::unique_ptr<LoopbackStream> stream_;
    std::thread reader_;
    ChildOutputLines lines_;
};

}  // namespace

std::string RemoteChildRequest(const std::string& program, const std::vector<std::string>& args) {
    std::string line = program;
    for (const std::string& arg : args) {
        line += '\t';
        line += arg;
    }
    if (program.empty() || line.find_first_of("\r\n") != std::string::npos ||
        program.find('\t') != std::string::npos) {
        return {};
    }
    for (const std::string& arg : args) {
        if (arg.find('\t') != std::string::npos) {
            return {};
        }
    }
    return line + '\n';
}

std::vector<std::string> RemoteChildFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

std::unique_ptr<ChildProcess> StartRemoteChildProcess(int brokerPort, const std::string& program,
                                                      const std::vector<std::string>& args) {
    const std::string request = RemoteChildRequest(program, args);
    if (request.empty()) {
        return nullptr;
    }
    auto stream = ConnectToLoopback(brokerPort);
    if (!stream || !stream->Send(request)) {
        return nullptr;
    }
    return std::make_unique<RemoteChildProcess>(std::move(stream));
}

}  // namespace platform
