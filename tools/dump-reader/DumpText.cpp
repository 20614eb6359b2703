#include "tools/dump-reader/DumpText.h"

#include <iomanip>

#include "common/MinidumpFormat.h"

namespace dumpreader {
namespace {

const char* StreamName(uint32_t type) {
    switch (type) {
        case minidump::kThreadListStream:
            return "thread list";
        case minidump::kModuleListStream:
            return "module list";
        case minidump::kMemoryListStream:
            return "memory list";
        case minidump::kExceptionStream:
            return "exception";
        case minidump::kSystemInfoStream:
            return "system info";
        default:
            return "other";
    }
}

// Addresses and sizes in hex, counts and ids in decimal.
struct HexNumber {
    uint64_t value;
};
std::ostream& operator<<(std::ostream& out, HexNumber number) {
    return out << "0x" << std::hex << number.value << std::dec;
}

void PrintRegisters(const std::optional<Registers>& registers, std::ostream& out) {
    if (!registers) {
        out << " (no context)";
        return;
    }
    out << " rip " << HexNumber{registers->instructionPointer} << " rsp "
        << HexNumber{registers->stackPointer};
}

void PrintSystem(const SystemDetails& system, std::ostream& out) {
    out << "system: architecture "
        << (system.architecture == minidump::kArchitectureAmd64 ? "amd64" : "other") << " ("
        << system.architecture << "), " << system.processorCount << " processors, kernel "
        << system.majorVersion << '.' << system.minorVersion << '.' << system.buildNumber
        << ", platform " << HexNumber{system.platformId} << ", \"" << system.versionText << "\"\n";
}

void PrintThreads(const Dump& dump, std::ostream& out) {
    out << "threads: " << dump.threads.size() << '\n';
    for (const ThreadDetails& thread : dump.threads) {
        out << "  thread " << thread.id;
        if (dump.exception && dump.exception->threadId == thread.id) {
            out << " (crashed)";
        }
        out << " stack " << HexNumber{thread.stackStart} << " " << thread.stackSize << " bytes";
        PrintRegisters(thread.registers, out);
        out << '\n';
    }
}

void PrintModules(const Dump& dump, std::ostream& out) {
    out << "modules: " << dump.modules.size() << '\n';
    for (const ModuleDetails& module : dump.modules) {
        out << "  " << HexNumber{module.base} << " size " << HexNumber{module.size} << ' '
            << module.path << " build id " << (module.buildId.empty() ? "-" : module.buildId)
            << '\n';
    }
}

void PrintException(const ExceptionDetails& exception, std::ostream& out) {
    out << "exception: thread " << exception.threadId << ", signal " << exception.code << ", code "
        << exception.flags << ", address " << HexNumber{exception.address};
    PrintRegisters(exception.registers, out);
    out << '\n';
}

}  // namespace

void PrintDump(const Dump& dump, std::ostream& out) {
    out << "header: MDMP version " << HexNumber{dump.version} << ", " << dump.streams.size()
        << " streams, time " << dump.timeStamp << '\n';
    for (const Stream& stream : dump.streams) {
        out << "stream " << stream.type << " (" << StreamName(stream.type) << "): " << stream.size
            << " bytes at " << stream.rva << '\n';
    }
    if (dump.system) {
        PrintSystem(*dump.system, out);
    }
    PrintThreads(dump, out);
    PrintModules(dump, out);
    out << "memory ranges: " << dump.memory.size() << '\n';
    for (const MemoryRange& range : dump.memory) {
        out << "  " << HexNumber{range.start} << " " << range.size << " bytes\n";
    }
    if (dump.exception) {
        PrintException(*dump.exception, out);
    }
}

}  // namespace dumpreader
