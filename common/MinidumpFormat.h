#pragma once

#include <cstddef>
#include <cstdint>

// The minidump container that the crash filter writes and kavrin-dump-reader reads: a header,
// a directory of streams, then the streams, each found by its offset from the start of the file
// (an RVA). Little-endian, with the format's 4-byte packing.
namespace minidump {

constexpr uint32_t kSignature = 0x504D444D;  // "MDMP"
constexpr uint32_t kVersion = 0xA793;        // the low half of the header's version

enum StreamType : uint32_t {
    kThreadListStream = 3,
    kModuleListStream = 4,
    kMemoryListStream = 5,
    kExceptionStream = 6,
    kSystemInfoStream = 7,
};

constexpr uint16_t kArchitectureAmd64 = 9;
constexpr uint32_t kPlatformLinux = 0x8201;

constexpr uint32_t kContextAmd64 = 0x00100000;
constexpr uint32_t kContextControl = kContextAmd64 | 0x1;
constexpr uint32_t kContextInteger = kContextAmd64 | 0x2;
constexpr uint32_t kContextSegments = kContextAmd64 | 0x4;
constexpr uint32_t kContextFloatingPoint = kContextAmd64 | 0x8;

// The CodeView record of an ELF module: this signature, then the bytes of its build id.
constexpr uint32_t kCodeViewElfSignature = 0x4270454C;

#pragma pack(push, 4)

struct Location {
    uint32_t dataSize;
    uint32_t rva;
};

struct Header {
    uint32_t signature;
    uint32_t version;
    uint32_t streamCount;
    uint32_t directoryRva;
    uint32_t checkSum;
    uint32_t timeDateStamp;
    uint64_t flags;
};

struct Directory {
    uint32_t streamType;
    Location location;
};

struct MemoryDescriptor {
    uint64_t start;
    Location memory;
};

struct Thread {
    uint32_t threadId;
    uint32_t suspendCount;
    uint32_t priorityClass;
    uint32_t priority;
    uint64_t teb;
    MemoryDescriptor stack;
    Location context;
};

struct Module {
    uint64_t base;
    uint32_t size;
    uint32_t checkSum;
    uint32_t timeDateStamp;
    uint32_t nameRva;  // a String
    uint32_t versionInfo[13];
    Location codeView;
    Location misc;
    uint64_t reserved0;
    uint64_t reserved1;
};

struct ExceptionRecord {
    uint32_t code;
    uint32_t flags;
    uint64_t record;
    uint64_t address;
    uint32_t parameterCount;
    uint32_t unusedAlignment;
    uint64_t information[15];
};

struct Exception {
    uint32_t threadId;
    uint32_t alignment;
    ExceptionRecord record;
    Location context;
};

struct SystemInfo {
    uint16_t processorArchitecture;
    uint16_t processorLevel;
    uint16_t processorRevision;
    uint8_t processorCount;
    uint8_t productType;
    uint32_t majorVersion;
    uint32_t minorVersion;
    uint32_t buildNumber;
    uint32_t platformId;
    uint32_t versionTextRva;  // a String
    uint16_t suiteMask;
    uint16_t reserved;
    uint32_t vendorId[3];
    uint32_t versionInformation;
    uint32_t featureInformation;
    uint32_t extendedFeatures;
};

struct ContextAmd64 {
    uint64_t home[6];
    uint32_t contextFlags;
    uint32_t mxCsr;
    uint16_t cs, ds, es, fs, gs, ss;
    uint32_t eflags;
    uint64_t dr0, dr1, dr2, dr3, dr6, dr7;
    uint64_t rax, rcx, rdx, rbx, rsp, rbp, rsi, rdi;
    uint64_t r8, r9, r10, r11, r12, r13, r14, r15;
    uint64_t rip;
    uint8_t floatingSave[512];  // the processor's FXSAVE area
    uint8_t vectorRegisters[26 * 16];
    uint64_t vectorControl;
    uint64_t debugControl;
    uint64_t lastBranchToRip;
    uint64_t lastBranchFromRip;
    uint64_t lastExceptionToRip;
    uint64_t lastExceptionFromRip;
};

#pragma pack(pop)

// A String is a 32-bit length in bytes, then that many bytes of UTF-16 and a terminator.
constexpr uint32_t kStringLengthSize = 4;

static_assert(sizeof(Header) == 32);
static_assert(sizeof(Directory) == 12);
static_assert(sizeof(MemoryDescriptor) == 16);
static_assert(sizeof(Thread) == 48);
static_assert(sizeof(Module) == 108);
static_assert(offsetof(Module, codeView) == 76);
static_assert(sizeof(Exception) == 168);
static_assert(sizeof(SystemInfo) == 56);
static_assert(offsetof(ContextAmd64, rsp) == 0x98);
static_assert(offsetof(ContextAmd64, rip) == 0xF8);
static_assert(sizeof(ContextAmd64) == 1232);

}  // namespace minidump
