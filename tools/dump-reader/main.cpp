// kavrin-dump-reader DUMP: prints what a crash dump holds; exits 1 for a malformed file and 2
// for a file that cannot be read.
#include <iostream>

#include "tools/dump-reader/DumpParser.h"
#include "tools/dump-reader/DumpText.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kavrin-dump-reader DUMP\n";
        return 2;
    }
    const auto bytes = dumpreader::ReadDumpFile(argv[1]);
    if (!bytes) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 2;
    }
    dumpreader::Dump dump;
    std::string error;
    if (!dumpreader::ParseDump(*bytes, dump, error)) {
        std::cerr << argv[1] << ": malformed: " << error << '\n';
        return 1;
    }
    dumpreader::PrintDump(dump, std::cout);
    return 0;
}
