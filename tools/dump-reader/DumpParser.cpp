#include "tools/dump-reader/DumpParser.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

#include "common/MinidumpFormat.h"
#include "common/TextConvert.h"

namespace dumpreader {
namespace {

struct Malformed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The file's bytes, read only where a part lies wholly inside them.
class DumpBytes {
  public:
    explicit DumpBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    void Require(uint64_t rva, uint64_t size, const std::string& what) const {
        if (rva > bytes_.size() || size > bytes_.size() - rva) {
            throw Malformed(what + " lies outside the file");
        }
    }
    template <typename T>
    T Read(uint64_t rva, const std::string& what) const {
        Require(rva, sizeof(T), what);
        T value;
        std::memcpy(&value, bytes_.data() + rva, sizeof(T));
        return value;
    }
    void Require(const minidump::Location& where, const std::string& what) const {
        Require(where.rva, where.dataSize, what);
    }
    std::span<const uint8_t> Slice(uint64_t rva, uint64_t size) const {
        return bytes_.subspan(rva, size);
    }
    std::string String(uint32_t rva, const std::string& what) const {
        const auto length = Read<uint32_t>(rva, what);
        if (length % 2 != 0) {
            throw Malformed(what + " has an odd length");
        }
        Require(uint64_t{rva} + minidump::kStringLengthSize, length, what);
        std::u16string text(length / 2, u'\0');
        std::memcpy(text.data(), bytes_.data() + rva + minidump::kStringLengthSize, length);
        return Utf16ToAnsi(text);
    }

  private:
    std::span<const uint8_t> bytes_;
};

// The count at the start of a list stream, checked against the stream's size.
uint32_t ListCount(const DumpBytes& bytes, const Stream& stream, size_t entrySize,
                   const std::string& what) {
    if (stream.size < sizeof(uint32_t)) {
        throw Malformed(what + " is too short for its count");
    }
    const auto count = bytes.Read<uint32_t>(stream.rva, what);
    if (uint64_t{count} * entrySize > stream.size - sizeof(uint32_t)) {
        throw Malformed(what + " counts " + std::to_string(count) + " entries, more than it holds");
    }
    return count;
}

template <typename T>
T Entry(const DumpBytes& bytes, const Stream& stream, uint32_t index, const std::string& what) {
    return bytes.Read<T>(uint64_t{stream.rva} + sizeof(uint32_t) + uint64_t{index} * sizeof(T),
                         what);
}

std::optional<Registers> ReadRegisters(const DumpBytes& bytes, const minidump::Location& where,
                                       const std::string& what) {
    if (where.dataSize == 0) {
        return std::nullopt;
    }
    bytes.Require(where, what);
    if (where.dataSize < sizeof(minidump::ContextAmd64)) {
        throw Malformed(what + " is too short for the processor's registers");
    }
    const auto context = bytes.Read<minidump::ContextAmd64>(where.rva, what);
    return Registers{context.rip, context.rsp};
}

std::string Hex(std::span<const uint8_t> bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::string ReadBuildId(const DumpBytes& bytes, const minidump::Location& where) {
    if (where.dataSize == 0) {
        return {};
    }
    bytes.Require(where, "a module's CodeView record");
    if (where.dataSize < sizeof(uint32_t)) {
        throw Malformed("a module's CodeView record is too short for its signature");
    }
    if (bytes.Read<uint32_t>(where.rva, "a CodeView signature") !=
        minidump::kCodeViewElfSignature) {
        return {};
    }
    return Hex(bytes.Slice(where.rva + sizeof(uint32_t), where.dataSize - sizeof(uint32_t)));
}

void ReadSystem(const DumpBytes& bytes, const Stream& stream, Dump& dump) {
    if (stream.size < sizeof(minidump::SystemInfo)) {
        throw Malformed("the system information is too short");
    }
    const auto info = bytes.Read<minidump::SystemInfo>(stream.rva, "the system information");
    SystemDetails system;
    system.architecture = info.processorArchitecture;
    system.processorCount = info.processorCount;
    system.majorVersion = info.majorVersion;
    system.minorVersion = info.minorVersion;
    system.buildNumber = info.buildNumber;
    system.platformId = info.platformId;
    if (info.versionTextRva != 0) {
        system.versionText = bytes.String(info.versionTextRva, "the system's version text");
    }
    dump.system = system;
}

void ReadThreads(const DumpBytes& bytes, const Stream& stream, Dump& dump) {
    const uint32_t count = ListCount(bytes, stream, sizeof(minidump::Thread), "the thread list");
    for (uint32_t i = 0; i < count; ++i) {
        const auto thread = Entry<minidump::Thread>(bytes, stream, i, "a thread");
        bytes.Require(thread.stack.memory, "a thread's stack");
        ThreadDetails details;
        details.id = thread.threadId;
        details.stackStart = thread.stack.start;
        details.stackSize = thread.stack.memory.dataSize;
        details.registers = ReadRegisters(bytes, thread.context, "a thread's context");
        dump.threads.push_back(details);
    }
}

void ReadModules(const DumpBytes& bytes, const Stream& stream, Dump& dump) {
    const uint32_t count = ListCount(bytes, stream, sizeof(minidump::Module), "the module list");
    for (uint32_t i = 0; i < count; ++i) {
        const auto module = Entry<minidump::Module>(bytes, stream, i, "a module");
        ModuleDetails details;
        details.base = module.base;
        details.size = module.size;
        details.path = bytes.String(module.nameRva, "a module's name");
        details.buildId = ReadBuildId(bytes, module.codeView);
        dump.modules.push_back(details);
    }
}

void ReadMemory(const DumpBytes& bytes, const Stream& stream, Dump& dump) {
    const uint32_t count =
        ListCount(bytes, stream, sizeof(minidump::MemoryDescriptor), "the memory list");
    for (uint32_t i = 0; i < count; ++i) {
        const auto range = Entry<minidump::MemoryDescriptor>(bytes, stream, i, "a memory range");
        bytes.Require(range.memory, "a memory range's bytes");
        dump.memory.push_back({range.start, range.memory.dataSize});
    }
}

void ReadException(const DumpBytes& bytes, const Stream& stream, Dump& dump) {
    if (stream.size < sizeof(minidump::Exception)) {
        throw Malformed("the exception record is too short");
    }
    const auto exception = bytes.Read<minidump::Exception>(stream.rva, "the exception record");
    ExceptionDetails details;
    details.threadId = exception.threadId;
    details.code = exception.record.code;
    details.flags = exception.record.flags;
    details.address = exception.record.address;
    details.registers = ReadRegisters(bytes, exception.context, "the exception's context");
    dump.exception = details;
}

void ReadStream(const DumpBytes& bytes, const Stream& stream, Dump& dump) {
    switch (stream.type) {
        case minidump::kSystemInfoStream:
            return ReadSystem(bytes, stream, dump);
        case minidump::kThreadListStream:
            return ReadThreads(bytes, stream, dump);
        case minidump::kModuleListStream:
            return ReadModules(bytes, stream, dump);
        case minidump::kMemoryListStream:
            return ReadMemory(bytes, stream, dump);
        case minidump::kExceptionStream:
            return ReadException(bytes, stream, dump);
        default:
            return;  // listed, but not one this reader shows
    }
}

void ReadDirectory(const DumpBytes& bytes, const minidump::Header& header, Dump& dump) {
    bytes.Require(header.directoryRva, uint64_t{header.streamCount} * sizeof(minidump::Directory),
                  "the stream directory");
    std::set<uint32_t> seen;
    for (uint32_t i = 0; i < header.streamCount; ++i) {
        const auto entry = bytes.Read<minidump::Directory>(
            header.directoryRva + uint64_t{i} * sizeof(minidump::Directory), "a directory entry");
        const Stream stream{entry.streamType, entry.location.dataSize, entry.location.rva};
        bytes.Require(entry.location, "stream " + std::to_string(stream.type));
        if (stream.type != 0 && !seen.insert(stream.type).second) {
            throw Malformed("stream " + std::to_string(stream.type) + " is given twice");
        }
        dump.streams.push_back(stream);
        ReadStream(bytes, stream, dump);
    }
}

}  // namespace

bool ParseDump(std::span<const uint8_t> bytes, Dump& dump, std::string& error) {
    dump = {};
    const DumpBytes file(bytes);
    try {
        const auto header = file.Read<minidump::Header>(0, "the header");
        if (header.signature != minidump::kSignature) {
            throw Malformed("the signature is not MDMP");
        }
        if ((header.version & 0xFFFF) != minidump::kVersion) {
            throw Malformed("the format's version is not known");
        }
        dump.version = header.version;
        dump.timeStamp = header.timeDateStamp;
        ReadDirectory(file, header, dump);
    } catch (const Malformed& malformed) {
        error = malformed.what();
        return false;
    }
    return true;
}

std::optional<std::vector<uint8_t>> ReadDumpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace dumpreader
