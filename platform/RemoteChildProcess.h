#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"

// A child process another program starts for this one and relays over a loopback connection:
// how a Windows test under Wine runs the Linux kavrin-server, which Wine would start without a
// handle or an output pipe. The other side is tools/server-broker.
//
// The request is one line, the program and then its arguments (argv[0] first) separated by
// tabs; every line after it is a line of the child's output. Closing the connection ends the
// child.
namespace platform {

// Null when the broker cannot be reached or a field holds a tab or a line end.
std::unique_ptr<ChildProcess> StartRemoteChildProcess(int brokerPort, const std::string& program,
                                                      const std::vector<std::string>& args);

// The request line for program and args, with its line end; empty when a field would break it.
std::string RemoteChildRequest(const std::string& program, const std::vector<std::string>& args);
// The fields of a request line without its line end.
std::vector<std::string> RemoteChildFields(const std::string& line);

}  // namespace platform
