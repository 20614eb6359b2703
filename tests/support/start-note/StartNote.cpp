// A program that notes each of its starts in started.log beside itself, on one line: who it is,
// its arguments and the folder it was started in. Who it is is the last line of its own file:
// tests give copies of it a line of their own behind the program's bytes (which the system's
// loader ignores) and can then tell which copy ran, and compare copies by their checksums.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Process.h"

namespace fs = std::filesystem;

namespace {

std::string LastLine(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 2 || bytes.back() != '\n') {
        return "?";
    }
    const size_t start = bytes.rfind('\n', bytes.size() - 2);
    return start == std::string::npos ? "?" : bytes.substr(start + 1, bytes.size() - start - 2);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path self(platform::ExecutablePath());
    std::string line = LastLine(self) + " ";
    for (int i = 1; i < argc; ++i) {
        line += argv[i];
        line += i + 1 < argc ? " " : "";
    }
    std::error_code error;
    line += " " + fs::current_path(error).string() + "\n";
    std::ofstream(self.parent_path() / "started.log", std::ios::binary | std::ios::app) << line;
    return 0;
}
