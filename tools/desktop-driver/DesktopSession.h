#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/linux/testing/VirtualDisplay.h"

// The real Kavrin on a private virtual screen, against a kavrin-server of its own: the program
// and its engine are copied into a program folder under `root`, so its settings, record and
// downloads stay there and a person's own Kavrin folder is never touched.
namespace desktop {

struct SessionSetup {
    std::filesystem::path program;  // the built kavrin
    std::filesystem::path engine;   // libdlengine.so beside it
    std::filesystem::path server;   // kavrin-server
    std::filesystem::path data;     // the server's data folder
    std::string rate = "4m";        // per connection, so that progress can be watched
    std::filesystem::path root;     // a folder of the caller's own, empty
    int width = 1280;
    int height = 800;
};

class DesktopSession {
  public:
    explicit DesktopSession(SessionSetup setup);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Screen, server and program folder; false with `Error()` saying which failed.
    bool Start();
    // Starts the program and waits until its main window shows its head.
    bool StartProgram();
    // Waits for the program to end by itself (after a confirmed quit) and gives its status.
    bool WaitForProgramEnd(int& status, std::chrono::milliseconds deadline);

    const std::string& Error() const { return error_; }
    const std::filesystem::path& ProgramFolder() const { return programFolder_; }
    const std::filesystem::path& DownloadFolder() const { return downloads_; }
    std::vector<std::string> ServerLog() const;

  private:
    bool Fail(std::string what);
    bool StartServer();
    bool MakeProgramFolder();

    SessionSetup setup_;
    std::filesystem::path programFolder_;
    std::filesystem::path downloads_;
    platform::testdisplay::VirtualDisplay screen_;
    std::unique_ptr<platform::ChildProcess> server_;
    std::unique_ptr<platform::ChildProcess> program_;
    std::string error_;
};

}  // namespace desktop
