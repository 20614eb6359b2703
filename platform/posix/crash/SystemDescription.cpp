#include "platform/posix/crash/SystemDescription.h"

#include <cpuid.h>
#include <sys/utsname.h>

#include "platform/posix/crash/CrashText.h"

namespace platform::crash {
namespace {

constexpr uint32_t kMaxCountInHeader = 255;

void DescribeProcessor(minidump::SystemInfo& info) {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) != 0) {
        info.vendorId[0] = ebx;
        info.vendorId[1] = edx;
        info.vendorId[2] = ecx;
    }
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0) {
        info.versionInformation = eax;
        info.featureInformation = edx;
        const unsigned family = (eax >> 8) & 0xF;
        const unsigned extendedFamily = family == 0xF ? (eax >> 20) & 0xFF : 0;
        info.processorLevel = static_cast<uint16_t>(family + extendedFamily);
        info.processorRevision = static_cast<uint16_t>(((eax >> 4) & 0xF) << 8 | (eax & 0xF));
    }
}

// "6.1.0-18-amd64" gives 6, 1 and 0; parts that are missing stay 0.
void ReadKernelRelease(const char* release, minidump::SystemInfo& info) {
    const char* end = release;
    while (*end != '\0') {
        ++end;
    }
    uint32_t* parts[] = {&info.majorVersion, &info.minorVersion, &info.buildNumber};
    const char* text = release;
    for (uint32_t* part : parts) {
        uint64_t value = 0;
        if (!ReadNumber(text, end, 10, value)) {
            return;
        }
        *part = static_cast<uint32_t>(value);
        if (text == end || *text != '.') {
            return;
        }
        ++text;
    }
}

void ComposeVersionText(const utsname& names, char* versionText, size_t capacity) {
    const char* parts[] = {names.sysname, " ", names.release, " ",
                           names.version, " ", names.machine};
    versionText[0] = '\0';
    for (const char* part : parts) {
        if (!AppendText(part, versionText, capacity)) {
            return;
        }
    }
}

}  // namespace

void DescribeSystem(uint32_t processorCount, minidump::SystemInfo& info, char* versionText,
                    size_t capacity) {
    info = {};
    info.processorArchitecture = minidump::kArchitectureAmd64;
    info.processorCount = static_cast<uint8_t>(
        processorCount < kMaxCountInHeader ? processorCount : kMaxCountInHeader);
    info.platformId = minidump::kPlatformLinux;
    DescribeProcessor(info);
    versionText[0] = '\0';
    utsname names;
    if (uname(&names) == 0) {
        ReadKernelRelease(names.release, info);
        ComposeVersionText(names, versionText, capacity);
    }
}

}  // namespace platform::crash
