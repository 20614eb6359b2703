#include "platform/posix/crash/DumpWriter.h"

#include "common/MinidumpFormat.h"
#include "platform/posix/crash/DumpFile.h"
#include "platform/posix/crash/ElfImage.h"
#include "platform/posix/crash/ProcessMaps.h"
#include "platform/posix/crash/SelfMemory.h"
#include "platform/posix/crash/SystemDescription.h"
#include "platform/posix/crash/ThreadContext.h"
#include "platform/posix/crash/ThreadIds.h"

namespace platform::crash {
namespace {

using minidump::Location;

constexpr uint32_t kStreamCount = 5;
// Enough of the crashing thread's stack to walk its last calls, without copying all of a deep
// stack into every dump.
constexpr uint64_t kStackCapacity = 64 * 1024;
constexpr size_t kMaxThreads = 4096;
constexpr size_t kMaxModules = 1024;
constexpr size_t kVersionTextCapacity = 512;

// What one crash's dump is written from. Static: the filter runs on a small stack of its own,
// and only the first crashing thread ever gets here.
struct DumpState {
    ProcessMaps maps;
    uint32_t threadIds[kMaxThreads];
    minidump::Thread threads[kMaxThreads];
    minidump::Module modules[kMaxModules];
    minidump::ContextAmd64 context;
    char versionText[kVersionTextCapacity];
};
DumpState gState;

// The parts written so far that the directory and the later streams point at.
struct Written {
    minidump::Directory directory[kStreamCount] = {};
    uint32_t streams = 0;
    Location context = {};
    minidump::MemoryDescriptor stack = {};
};

void AddStream(Written& written, uint32_t type, Location where) {
    written.directory[written.streams++] = {type, where};
}

void WriteSystemInfo(DumpFile& file, const CrashEvent& event, Written& written) {
    minidump::SystemInfo info;
    DescribeSystem(event.processorCount, info, gState.versionText, sizeof gState.versionText);
    info.versionTextRva = file.AppendString(gState.versionText).rva;
    AddStream(written, minidump::kSystemInfoStream, file.Append(&info, sizeof info));
}

// From the stack pointer up to the end of its mapping, at most kStackCapacity.
void WriteCrashingStack(DumpFile& file, Written& written) {
    const MemorySpan span = gState.maps.Stack();
    const uint64_t from = gState.context.rsp > span.start ? gState.context.rsp : span.start;
    if (span.end <= from || from - gState.context.rsp > kStackCapacity) {
        written.stack = {gState.context.rsp, {0, 0}};
        return;
    }
    const uint64_t size = span.end - from < kStackCapacity ? span.end - from : kStackCapacity;
    written.stack = {from, file.AppendMemory(from, size)};
}

// Every thread by its id; only the crashing one has its registers and stack, as the others
// could only be stopped and read by another process.
void WriteThreadList(DumpFile& file, const CrashEvent& event, Written& written) {
    size_t count = ReadThreadIds(gState.threadIds, kMaxThreads);
    bool listed = false;
    for (size_t i = 0; i < count; ++i) {
        listed = listed || gState.threadIds[i] == event.threadId;
    }
    if (!listed && count < kMaxThreads) {
        gState.threadIds[count++] = event.threadId;
    }
    for (size_t i = 0; i < count; ++i) {
        gState.threads[i] = {};
        gState.threads[i].threadId = gState.threadIds[i];
        if (gState.threadIds[i] == event.threadId) {
            gState.threads[i].stack = written.stack;
            gState.threads[i].context = written.context;
        }
    }
    const auto number = static_cast<uint32_t>(count);
    const Location head = file.Append(&number, sizeof number);
    const Location list = file.Append(gState.threads, count * sizeof(minidump::Thread));
    AddStream(written, minidump::kThreadListStream, {head.dataSize + list.dataSize, head.rva});
}

// The module's CodeView record: the ELF signature and the build id's bytes.
Location WriteBuildIdRecord(DumpFile& file, const SelfMemory& memory, uint64_t base) {
    struct {
        uint32_t signature = minidump::kCodeViewElfSignature;
        uint8_t id[kBuildIdCapacity];
    } record;
    const size_t length = ReadBuildId(memory, base, record.id, sizeof record.id);
    if (length == 0) {
        return {0, 0};
    }
    return file.Append(&record, sizeof record.signature + length);
}

void WriteModuleList(DumpFile& file, Written& written) {
    const SelfMemory memory;
    uint32_t count = 0;
    for (size_t i = 0; i < gState.maps.FileCount() && count < kMaxModules; ++i) {
        const MappedFile& mapped = gState.maps.File(i);
        if (!IsElfImage(memory, mapped.base)) {
            continue;
        }
        minidump::Module& module = gState.modules[count++];
        module = {};
        module.base = mapped.base;
        const uint64_t size = mapped.end - mapped.base;
        module.size = size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size);
        module.nameRva = file.AppendString(mapped.path).rva;
        module.codeView = WriteBuildIdRecord(file, memory, mapped.base);
    }
    const Location head = file.Append(&count, sizeof count);
    const Location list = file.Append(gState.modules, count * sizeof(minidump::Module));
    AddStream(written, minidump::kModuleListStream, {head.dataSize + list.dataSize, head.rva});
}

// The stack again, as readers of the format look memory up in this list.
void WriteMemoryList(DumpFile& file, Written& written) {
    const uint32_t count = written.stack.memory.dataSize > 0 ? 1 : 0;
    const Location head = file.Append(&count, sizeof count);
    const Location list = file.Append(&written.stack, count * sizeof written.stack);
    AddStream(written, minidump::kMemoryListStream, {head.dataSize + list.dataSize, head.rva});
}

void WriteException(DumpFile& file, const CrashEvent& event, Written& written) {
    minidump::Exception exception = {};
    exception.threadId = event.threadId;
    exception.record.code = static_cast<uint32_t>(event.signal);
    if (event.info != nullptr) {
        exception.record.flags = static_cast<uint32_t>(event.info->si_code);
        exception.record.address = reinterpret_cast<uint64_t>(event.info->si_addr);
    }
    exception.context = written.context;
    AddStream(written, minidump::kExceptionStream, file.Append(&exception, sizeof exception));
}

void WriteHeader(DumpFile& file, const CrashEvent& event, const Written& written, Location headerAt,
                 Location directoryAt) {
    minidump::Header header = {};
    header.signature = minidump::kSignature;
    header.version = minidump::kVersion;
    header.streamCount = written.streams;
    header.directoryRva = directoryAt.rva;
    header.timeDateStamp = event.time;
    file.Rewrite(headerAt, &header);
    file.Rewrite(directoryAt, written.directory);
}

}  // namespace

bool WriteCrashDump(const char* fileName, const CrashEvent& event) {
    DumpFile file;
    if (!file.Create(fileName)) {
        return false;
    }
    FillContext(*event.context, gState.context);
    gState.maps.Read(gState.context.rsp);
    // The header and the directory first, as placeholders filled in once the streams are out.
    const minidump::Header noHeader = {};
    const minidump::Directory noDirectory[kStreamCount] = {};
    const Location headerAt = file.Append(&noHeader, sizeof noHeader);
    const Location directoryAt = file.Append(noDirectory, sizeof noDirectory);
    Written written;
    WriteSystemInfo(file, event, written);
    written.context = file.Append(&gState.context, sizeof gState.context);
    WriteCrashingStack(file, written);
    WriteThreadList(file, event, written);
    WriteModuleList(file, written);
    WriteMemoryList(file, written);
    WriteException(file, event, written);
    WriteHeader(file, event, written, headerAt, directoryAt);
    return file.Close();
}

}  // namespace platform::crash
