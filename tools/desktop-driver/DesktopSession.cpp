#include "tools/desktop-driver/DesktopSession.h"

#include <fstream>

#include "platform/SingleInstance.h"
#include "tools/desktop-driver/KavrinPlaces.h"
#include "tools/desktop-driver/ScreenWatch.h"

namespace fs = std::filesystem;

namespace desktop {

// The client knows its server only by the address built into it; the reference server listens
// there.
constexpr const char* kBuiltInPort = "47443";

DesktopSession::DesktopSession(SessionSetup setup)
    : setup_(std::move(setup)),
      programFolder_(setup_.root / "program"),
      downloads_(setup_.root / "downloads") {}

DesktopSession::~DesktopSession() {
    if (program_ != nullptr) {
        program_->Terminate();
    }
    if (server_ != nullptr) {
        server_->Terminate();
    }
    screen_.Stop();
}

bool DesktopSession::Fail(std::string what) {
    error_ = std::move(what);
    return false;
}

bool DesktopSession::Start() {
    if (platform::FindRunningInstance("_SoftMainWnd_", "Kavrin") != nullptr) {
        return Fail("another Kavrin of this user is running; it would take over every start");
    }
    if (!screen_.Start(setup_.width, setup_.height)) {
        return Fail("the virtual screen (Xvfb) did not start");
    }
    return StartServer() && MakeProgramFolder();
}

bool DesktopSession::StartServer() {
    server_ = platform::StartChildProcess(setup_.server.string(),
                                          {setup_.server.string(), "--port", kBuiltInPort, "--data",
                                           setup_.data.string(), "--rate", setup_.rate});
    std::string line;
    const std::string marker = "kavrin-server listening on ";
    if (server_ == nullptr || !server_->ReadLine(line, 15000) || line.rfind(marker, 0) != 0) {
        return Fail("kavrin-server did not start on port " + std::string(kBuiltInPort) + ": " +
                    line);
    }
    return true;
}

bool DesktopSession::MakeProgramFolder() {
    std::error_code ec;
    fs::create_directories(programFolder_, ec);
    fs::create_directories(downloads_, ec);
    fs::copy_file(setup_.program, programFolder_ / "kavrin", fs::copy_options::overwrite_existing,
                  ec);
    if (!ec) {
        fs::copy_file(setup_.engine, programFolder_ / "libdlengine.so",
                      fs::copy_options::overwrite_existing, ec);
    }
    if (ec) {
        return Fail("cannot copy the program into " + programFolder_.string() + ": " +
                    ec.message());
    }
    std::ofstream(programFolder_ / "kavrin.ini")
        << "[soft]\nDriveUrlW2V=" << downloads_.string() << "\n";
    return true;
}

bool DesktopSession::StartProgram() {
    program_ = platform::StartChildProcess("/usr/bin/env",
                                           {"env", "DISPLAY=:" + std::to_string(screen_.Number()),
                                            (programFolder_ / "kavrin").string()});
    if (program_ == nullptr) {
        return Fail("the program did not start");
    }
    MainWindow window;
    if (WaitForMainWindow(window)) {
        return true;
    }
    int status = 0;
    if (WaitForProgramEnd(status, 1s)) {
        return Fail("the program ended (status " + std::to_string(status) +
                    ") before its window showed; a Kavrin of the same user running elsewhere "
                    "takes over every start");
    }
    return Fail("the main window did not show");
}

bool DesktopSession::WaitForProgramEnd(int& status, std::chrono::milliseconds deadline) {
    if (program_ == nullptr) {
        return false;
    }
    // The program's output ends when it does; until then every line is the trace of an answer.
    const auto end = std::chrono::steady_clock::now() + deadline;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (!program_->ReadLine(line, static_cast<int>(left.count()))) {
            break;
        }
    }
    if (std::chrono::steady_clock::now() >= end) {
        return false;
    }
    status = program_->Terminate();
    program_.reset();
    return true;
}

std::vector<std::string> DesktopSession::ServerLog() const {
    return server_ != nullptr ? server_->History() : std::vector<std::string>{};
}

}  // namespace desktop
