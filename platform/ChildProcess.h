#pragma once

#include <memory>
#include <string>
#include <vector>

// A program started directly (no shell) with its arguments, whose standard output and error are
// read line by line, and which ends when the process that started it ends. Used in tests and
// tools to run the reference server and other helpers.
namespace platform {

class ChildProcess {
  public:
    virtual ~ChildProcess() = default;

    // Waits up to timeoutMs for the next line of the child's standard output (without its line
    // end). False on time-out or when the output has ended.
    virtual bool ReadLine(std::string& line, int timeoutMs) = 0;

    // Asks the child to end, waits for it and returns its exit status (128 + signal when a
    // signal ended it).
    virtual int Terminate() = 0;
    // Ends the child at once, as a crash or a kill from outside would (SIGKILL): it gets no
    // chance to save anything. Returns its exit status like Terminate.
    virtual int Kill() = 0;

    // Every line read so far and not yet taken by ReadLine is kept; this returns all lines
    // seen, for diagnostics.
    virtual std::vector<std::string> History() const = 0;
};

// Starts program with args (argv[0] is the program). Null when it cannot be started.
std::unique_ptr<ChildProcess> StartChildProcess(const std::string& program,
                                                const std::vector<std::string>& args);

}  // namespace platform
