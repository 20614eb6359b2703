#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The parts of a crash dump that kavrin-dump-reader shows and the tests check, read with every
// offset and count held against the file.
namespace dumpreader {

struct Stream {
    uint32_t type = 0;
    uint32_t size = 0;
    uint32_t rva = 0;
};

struct SystemDetails {
    uint16_t architecture = 0;
    uint32_t processorCount = 0;
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    std::string versionText;
};

// The registers that tell where a thread was.
struct Registers {
    uint64_t instructionPointer = 0;
    uint64_t stackPointer = 0;
};

struct ThreadDetails {
    uint32_t id = 0;
    uint64_t stackStart = 0;
    uint32_t stackSize = 0;
    std::optional<Registers> registers;  // only for a thread whose context was written
};

struct ModuleDetails {
    uint64_t base = 0;
    uint32_t size = 0;
    std::string path;
    std::string buildId;  // lower-case hex; empty when the module has none
};

struct MemoryRange {
    uint64_t start = 0;
    uint32_t size = 0;
};

struct ExceptionDetails {
    uint32_t threadId = 0;
    uint32_t code = 0;  // the signal
    uint32_t flags = 0;
    uint64_t address = 0;
    std::optional<Registers> registers;
};

struct Dump {
    uint32_t version = 0;
    uint32_t timeStamp = 0;
    std::vector<Stream> streams;
    std::optional<SystemDetails> system;
    std::vector<ThreadDetails> threads;
    std::vector<ModuleDetails> modules;
    std::vector<MemoryRange> memory;
    std::optional<ExceptionDetails> exception;
};

// Reads the dump from its bytes. False, with the reason in error, for a malformed file: a bad
// signature or version, a stream or a part of one outside the file, a count its stream cannot
// hold, or a stream of one kind given twice.
bool ParseDump(std::span<const uint8_t> bytes, Dump& dump, std::string& error);

// The file's bytes, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadDumpFile(const std::string& path);

}  // namespace dumpreader
