#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tools/dump-reader/DumpParser.h"

namespace {

// Offsets of the format written out by hand, not taken from the reader's structures, so that a
// structure laid out wrongly shows here.
constexpr uint32_t kDirectory = 32;
constexpr uint32_t kSystem = 92;
constexpr uint32_t kVersionText = 148;
constexpr uint32_t kContext = 160;
constexpr uint32_t kStack = 1392;
constexpr uint32_t kThreads = 1408;
constexpr uint32_t kModuleName = 1508;
constexpr uint32_t kCodeView = 1524;
constexpr uint32_t kModules = 1532;
constexpr uint32_t kMemory = 1644;
constexpr uint32_t kException = 1664;
constexpr uint32_t kEnd = 1832;

class DumpBuilder {
  public:
    DumpBuilder() : bytes_(kEnd, 0) {
        Header();
        Stream(0, 7, 56, kSystem);
        Stream(1, 3, 100, kThreads);
        Stream(2, 4, 112, kModules);
        Stream(3, 5, 20, kMemory);
        Stream(4, 6, 168, kException);
        System();
        Context();
        Threads();
        Module();
        Memory();
        Exception();
    }

    void Put16(uint32_t at, uint16_t value) { std::memcpy(&bytes_[at], &value, 2); }
    void Put32(uint32_t at, uint32_t value) { std::memcpy(&bytes_[at], &value, 4); }
    void Put64(uint32_t at, uint64_t value) { std::memcpy(&bytes_[at], &value, 8); }
    std::vector<uint8_t>& bytes() { return bytes_; }

  private:
    void Header() {
        Put32(0, 0x504D444D);
        Put32(4, 0x0000A793);
        Put32(8, 5);
        Put32(12, kDirectory);
        Put32(20, 1722776709);
    }
    void Stream(uint32_t index, uint32_t type, uint32_t size, uint32_t rva) {
        Put32(kDirectory + index * 12, type);
        Put32(kDirectory + index * 12 + 4, size);
        Put32(kDirectory + index * 12 + 8, rva);
    }
    void System() {
        Put16(kSystem, 9);
        bytes_[kSystem + 6] = 2;
        Put32(kSystem + 8, 6);
        Put32(kSystem + 12, 1);
        Put32(kSystem + 16, 3);
        Put32(kSystem + 20, 0x8201);
        Put32(kSystem + 24, kVersionText);
        Put32(kVersionText, 4);
        Put16(kVersionText + 4, u'L');
        Put16(kVersionText + 6, u'6');
    }
    void Context() {
        Put32(kContext + 0x30, 0x0010000F);
        Put64(kContext + 0x98, 0x7FFC0000);
        Put64(kContext + 0xF8, 0x401234);
    }
    void Threads() {
        Put32(kThreads, 2);
        Put32(kThreads + 4, 77);
        Put64(kThreads + 4 + 24, 0x7FFC0000);
        Put32(kThreads + 4 + 32, 16);
        Put32(kThreads + 4 + 36, kStack);
        Put32(kThreads + 4 + 40, 1232);
        Put32(kThreads + 4 + 44, kContext);
        Put32(kThreads + 52, 78);
    }
    void Module() {
        Put32(kModuleName, 8);
        for (int i = 0; i < 4; ++i) {
            Put16(kModuleName + 4 + 2 * i, u"/a/b"[i]);
        }
        Put32(kCodeView, 0x4270454C);
        bytes_[kCodeView + 4] = 0xAB;
        bytes_[kCodeView + 5] = 0x01;
        bytes_[kCodeView + 6] = 0xFF;
        Put32(kModules, 1);
        Put64(kModules + 4, 0x400000);
        Put32(kModules + 12, 0x2000);
        Put32(kModules + 24, kModuleName);
        Put32(kModules + 80, 7);
        Put32(kModules + 84, kCodeView);
    }
    void Memory() {
        Put32(kMemory, 1);
        Put64(kMemory + 4, 0x7FFC0000);
        Put32(kMemory + 12, 16);
        Put32(kMemory + 16, kStack);
    }
    void Exception() {
        Put32(kException, 77);
        Put32(kException + 8, 11);
        Put32(kException + 12, 1);
        Put64(kException + 24, 0x10);
        Put32(kException + 160, 1232);
        Put32(kException + 164, kContext);
    }

    std::vector<uint8_t> bytes_;
};

TEST(DumpParser, ReadsEveryStreamOfAWellFormedDump) {
    DumpBuilder builder;
    dumpreader::Dump dump;
    std::string error;
    ASSERT_TRUE(dumpreader::ParseDump(builder.bytes(), dump, error)) << error;
    EXPECT_EQ(dump.timeStamp, 1722776709u);
    ASSERT_EQ(dump.streams.size(), 5u);
    EXPECT_EQ(dump.streams[2].type, 4u);
    EXPECT_EQ(dump.streams[2].size, 112u);
    ASSERT_TRUE(dump.system);
    EXPECT_EQ(dump.system->architecture, 9);
    EXPECT_EQ(dump.system->processorCount, 2u);
    EXPECT_EQ(dump.system->buildNumber, 3u);
    EXPECT_EQ(dump.system->versionText, "L6");
    ASSERT_EQ(dump.threads.size(), 2u);
    EXPECT_EQ(dump.threads[0].id, 77u);
    EXPECT_EQ(dump.threads[0].stackSize, 16u);
    ASSERT_TRUE(dump.threads[0].registers);
    EXPECT_EQ(dump.threads[0].registers->instructionPointer, 0x401234u);
    EXPECT_EQ(dump.threads[0].registers->stackPointer, 0x7FFC0000u);
    EXPECT_FALSE(dump.threads[1].registers);
    ASSERT_EQ(dump.modules.size(), 1u);
    EXPECT_EQ(dump.modules[0].base, 0x400000u);
    EXPECT_EQ(dump.modules[0].size, 0x2000u);
    EXPECT_EQ(dump.modules[0].path, "/a/b");
    EXPECT_EQ(dump.modules[0].buildId, "ab01ff");
    ASSERT_EQ(dump.memory.size(), 1u);
    EXPECT_EQ(dump.memory[0].start, 0x7FFC0000u);
    ASSERT_TRUE(dump.exception);
    EXPECT_EQ(dump.exception->threadId, 77u);
    EXPECT_EQ(dump.exception->code, 11u);
    EXPECT_EQ(dump.exception->address, 0x10u);
    ASSERT_TRUE(dump.exception->registers);
    EXPECT_EQ(dump.exception->registers->instructionPointer, 0x401234u);
}

TEST(DumpParser, RefusesAFileWhoseSignatureOffsetsOrCountsDoNotHold) {
    const std::vector<std::pair<std::string, std::function<void(DumpBuilder&)>>> damages = {
        {"signature", [](DumpBuilder& b) { b.Put32(0, 0x504D444E); }},
        {"version", [](DumpBuilder& b) { b.Put32(4, 0xA794); }},
        {"truncated header", [](DumpBuilder& b) { b.bytes().resize(20); }},
        {"streams past the directory", [](DumpBuilder& b) { b.Put32(8, 0x20000000); }},
        {"stream outside", [](DumpBuilder& b) { b.Put32(kDirectory + 12 + 8, kEnd - 50); }},
        {"stream past the end", [](DumpBuilder& b) { b.Put32(kDirectory + 12 + 4, 0xFFFFFFF0); }},
        {"thread count", [](DumpBuilder& b) { b.Put32(kThreads, 3); }},
        {"module count", [](DumpBuilder& b) { b.Put32(kModules, 0x40000000); }},
        {"memory count", [](DumpBuilder& b) { b.Put32(kMemory, 2); }},
        {"stack outside", [](DumpBuilder& b) { b.Put32(kThreads + 4 + 36, kEnd - 8); }},
        {"short context", [](DumpBuilder& b) { b.Put32(kThreads + 4 + 40, 200); }},
        {"module name outside", [](DumpBuilder& b) { b.Put32(kModules + 24, kEnd - 2); }},
        {"module name length", [](DumpBuilder& b) { b.Put32(kModuleName, 0xFFFFFFFE); }},
        {"code view outside", [](DumpBuilder& b) { b.Put32(kModules + 80, 4000); }},
        {"memory outside", [](DumpBuilder& b) { b.Put32(kMemory + 16, kEnd); }},
        {"short exception", [](DumpBuilder& b) { b.Put32(kDirectory + 48 + 4, 100); }},
        {"exception context", [](DumpBuilder& b) { b.Put32(kException + 164, kEnd - 100); }},
        {"stream twice", [](DumpBuilder& b) { b.Put32(kDirectory + 12, 7); }},
    };
    for (const auto& [name, damage] : damages) {
        DumpBuilder builder;
        damage(builder);
        dumpreader::Dump dump;
        std::string error;
        EXPECT_FALSE(dumpreader::ParseDump(builder.bytes(), dump, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

}  // namespace
