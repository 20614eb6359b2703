#pragma once

#include <ostream>

#include "tools/dump-reader/DumpParser.h"

namespace dumpreader {

// The dump as kavrin-dump-reader prints it: the header, each stream's type and size, then the
// system, the threads, the modules, the memory ranges and the exception, one item a line.
void PrintDump(const Dump& dump, std::ostream& out);

}  // namespace dumpreader
