// Starts one program, the one it was given, for programs that cannot start it themselves, and
// relays its output over a loopback connection: the Windows tests under Wine run the Linux
// kavrin-server through it. Closing a connection ends its program.
//
//   kavrin-server-broker PROGRAM PORT_FILE [WINE_PREFIX]
//
// The port it listens on (127.0.0.1) goes into PORT_FILE, written whole under its final name.
// With WINE_PREFIX, an argument that is a Windows path with a drive ("C:\users\...", the
// test's own folders) is given to the program as the Linux path of that drive in the prefix.
#include <atomic>
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/TextConvert.h"
#include "platform/ChildProcess.h"
#include "platform/FileReplace.h"
#include "platform/LoopbackStream.h"
#include "platform/RemoteChildProcess.h"

namespace {

// The request: everything up to the first line end, at most 64 KiB.
bool ReadRequest(platform::LoopbackStream& stream, std::string& line) {
    constexpr size_t kLimit = 64 * 1024;
    char c = 0;
    while (line.size() < kLimit && stream.Receive(&c, 1) == 1) {
        if (c == '\n') {
            return true;
        }
        line += c;
    }
    return false;
}

bool IsDrivePath(const std::string& arg) {
    return arg.size() >= 3 && std::isalpha(static_cast<unsigned char>(arg[0])) && arg[1] == ':' &&
           arg[2] == '\\';
}

// Wine keeps a link for each drive in the prefix's dosdevices folder: "c:" to its drive_c,
// "z:" to the Linux root.
std::string LinuxPathOf(const std::string& arg, const std::string& winePrefix) {
    if (winePrefix.empty() || !IsDrivePath(arg)) {
        return arg;
    }
    std::string path = winePrefix + "/dosdevices/";
    path += static_cast<char>(std::tolower(static_cast<unsigned char>(arg[0])));
    path += ':';
    for (size_t i = 2; i < arg.size(); ++i) {
        path += arg[i] == '\\' ? '/' : arg[i];
    }
    return path;
}

// One connection: the program's lines go out until the peer closes, which ends the program.
void Serve(std::unique_ptr<platform::LoopbackStream> stream, const std::string& program,
           const std::string& winePrefix) {
    std::string request;
    if (!ReadRequest(*stream, request)) {
        return;
    }
    std::vector<std::string> fields = platform::RemoteChildFields(request);
    if (fields.size() < 2 || fields.front() != program) {
        stream->Send("kavrin-server-broker: only " + program + " is started here\n");
        return;
    }
    std::vector<std::string> args;
    for (auto field = fields.begin() + 1; field != fields.end(); ++field) {
        args.push_back(LinuxPathOf(*field, winePrefix));
    }
    auto child = platform::StartChildProcess(program, args);
    if (!child) {
        stream->Send("kavrin-server-broker: cannot start " + program + "\n");
        return;
    }
    std::atomic<bool> closed{false};
    std::thread relay([&] {
        std::string line;
        while (!closed.load()) {
            if (child->ReadLine(line, 100) && !stream->Send(line + "\n")) {
                break;
            }
        }
    });
    char ignored[256];
    while (stream->Receive(ignored, sizeof ignored) > 0) {
    }
    closed = true;
    relay.join();
    child->Terminate();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: kavrin-server-broker PROGRAM PORT_FILE [WINE_PREFIX]\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string winePrefix = argc == 4 ? argv[3] : "";
    int port = 0;
    auto listener = platform::ListenOnLoopback(port);
    if (!listener ||
        !platform::ReplaceFileContent(AnsiToUtf16(argv[2]), std::to_string(port) + "\n")) {
        std::fprintf(stderr, "kavrin-server-broker: cannot listen or write %s\n", argv[2]);
        return 1;
    }
    while (auto stream = listener->Accept()) {
        std::thread(Serve, std::move(stream), program, winePrefix).detach();
    }
    return 1;
}
