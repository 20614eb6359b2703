#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"

// The updater program, run as the client runs it, on a client folder of the test's own against
// a kavrin-server serving a newer version from a data folder of the test's own.
namespace {

namespace fs = std::filesystem;

struct FileState {
    std::string bytes;
    fs::perms mode;
    bool operator==(const FileState&) const = default;
};
using FolderState = std::map<std::string, FileState>;

const std::string kOldIni = "[soft]\nid=140\nversion=101\nDriveUrlW2V=/games\n[config]\nuuid=abc\n";

class AutoUpdaterTest : public ::testing::Test {
  protected:
    AutoUpdaterTest() {
        fs::copy(KAVRIN_SERVER_DATA_DIR, data, fs::copy_options::recursive);
        fs::create_directories(client);
        fs::copy_file(KAVRIN_AUTOUPDATER, updater);
        Put(client / "kavrin", "#!/bin/sh\necho old client\n", fs::perms(0755));
        Put(client / "libdlengine.so", "old engine", fs::perms(0755));
        Put(client / "readme.txt", "old readme", fs::perms(0644));
        WriteWholeFile(client / "kavrin.ini", kOldIni);
        // The client's start is quick to fetch, the engine long enough to be caught mid-way.
        served["kavrin"] = "#!/bin/sh\necho new client\n" + std::string(64 * 1024, '#') + "\n";
        served["libdlengine.so"] =
            "\x7f"
            "ELF" +
            std::string(512 * 1024, 'e');
        served["readme.txt"] = "new readme";
        for (const auto& [name, bytes] : served) {
            WriteWholeFile(data / "files" / name, bytes);
        }
        WriteWholeFile(data / "files/AutoUpdater", "#!/bin/sh\nexit 9\n");
        Offer(R"({"name":"readme.txt","url":"readme.txt"})");
    }

    static void Put(const fs::path& path, const std::string& bytes, fs::perms mode) {
        WriteWholeFile(path, bytes);
        fs::permissions(path, mode);
    }

    // version.json of version 102: the updater's own entries, the client and its engine, and
    // lastEntry.
    void Offer(const std::string& lastEntry) {
        WriteWholeFile(data / "version.json", R"({"status":"SUCCESS","version":102,
            "baseurl":"{BASE}files/","files":[
            {"name":"AutoUpdater.exe","url":"AutoUpdater"},
            {"name":"kavrin","url":"kavrin"},
            {"name":"libdlengine.so","url":"/libdlengine.so"},
            {"name":"AutoUpdater","url":"AutoUpdater"},)" +
                                                  lastEntry + "]}");
    }

    std::unique_ptr<platform::ChildProcess> Start(const TestServer& server) const {
        return platform::StartChildProcess(
            "/usr/bin/env",
            {"env", "KAVRIN_UPDATE_BASE_URL=" + server.baseUrl(), updater.string(), "kavrin.ini"});
    }

    // Its exit status once its output has ended.
    int Run(const TestServer& server) const {
        auto updaterProcess = Start(server);
        if (!updaterProcess) {
            return -1;
        }
        std::string line;
        while (updaterProcess->ReadLine(line, 60000)) {
        }
        return updaterProcess->Terminate();
    }

    // Every file of the client folder but the updater's log.
    FolderState State() const {
        FolderState state;
        for (const fs::directory_entry& item : fs::directory_iterator(client)) {
            const std::string name = item.path().filename().string();
            if (!name.starts_with("AutoUpdater.log")) {
                state[name] = {ReadWholeFile(item.path()), item.status().permissions()};
            }
        }
        return state;
    }

    std::string Version() const {
        std::smatch match;
        const std::string ini = ReadWholeFile(client / "kavrin.ini");
        return std::regex_search(ini, match, std::regex("version=(\\d+)")) ? match[1].str() : "";
    }

    TempDir root;
    const fs::path data = root / "data";
    const fs::path client = root / "client";
    const fs::path updater = client / "AutoUpdater";
    std::map<std::string, std::string> served;
};

TEST_F(AutoUpdaterTest, AFullUpdateReplacesEveryListedFileKeepingItsModeAndRaisesTheVersion) {
    TestServer server({"--data", data.string()});
    const std::string oldLog(600 * 1024, 'x');
    WriteWholeFile(client / "AutoUpdater.log", oldLog);
    const FolderState before = State();
    ASSERT_EQ(Run(server), 0);

    FolderState expected = before;
    for (const auto& [name, bytes] : served) {
        expected[name].bytes = bytes;
    }
    FolderState after = State();
    const std::string ini = after["kavrin.ini"].bytes;
    after.erase("kavrin.ini");
    expected.erase("kavrin.ini");
    EXPECT_EQ(after, expected) << "only the listed files change, the updater itself not at all";
    EXPECT_EQ(Version(), "102");
    EXPECT_NE(ini.find("DriveUrlW2V=/games"), std::string::npos) << ini;
    EXPECT_NE(ini.find("uuid=abc"), std::string::npos) << ini;

    // A full log became the old generation; the new one has a line per step, each timed.
    EXPECT_EQ(ReadWholeFile(client / "AutoUpdater.log.old"), oldLog);
    std::istringstream log(ReadWholeFile(client / "AutoUpdater.log"));
    std::string line;
    std::string last;
    int lines = 0;
    while (std::getline(log, line)) {
        ++lines;
        last = line;
        EXPECT_TRUE(
            std::regex_search(line, std::regex("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d ")))
            << line;
    }
    EXPECT_GE(lines, 5);
    EXPECT_NE(last.find("updated to version 102"), std::string::npos) << last;
}

TEST_F(AutoUpdaterTest, AFileThatFailsItsChecksOrItsNameLeavesEveryFileAsItWas) {
    TestServer server({"--data", data.string()});
    const FolderState before = State();
    for (const char* last :
         {R"({"name":"readme.txt","url":"readme.txt","crc32":"deadbeef"})",
          R"({"name":"readme.txt","url":"readme.txt","sha256":")"
          R"(ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"})",
          R"({"name":"../outside.txt","url":"readme.txt"})",
          R"({"name":"docs/readme.txt","url":"readme.txt"})",
          R"({"name":"kavrin.ini","url":"readme.txt"})"}) {
        SCOPED_TRACE(last);
        Offer(last);
        EXPECT_NE(Run(server), 0);
        EXPECT_EQ(State(), before);
        EXPECT_FALSE(fs::exists(root / "outside.txt"));
    }
    EXPECT_EQ(Version(), "101");
}

TEST_F(AutoUpdaterTest, AKillWhileFetchingLeavesTheOldClientAndTheNextRunFinishes) {
    const FolderState before = State();
    {
        TestServer slow({"--data", data.string(), "--rate", "128k"});
        auto updaterProcess = Start(slow);
        ASSERT_NE(updaterProcess, nullptr);
        // The client's file is staged; the engine's is on its way.
        ASSERT_TRUE(PollUntil([this] { return fs::exists(client / "kavrin.autoupdate-new"); }));
        updaterProcess->Kill();
    }
    FolderState after = State();
    for (const auto& [name, state] : before) {
        EXPECT_EQ(after[name], state) << name;
    }
    EXPECT_EQ(Version(), "101");

    TestServer server({"--data", data.string()});
    ASSERT_EQ(Run(server), 0);
    after = State();
    for (const auto& [name, bytes] : served) {
        EXPECT_EQ(after[name].bytes, bytes) << name;
    }
    EXPECT_EQ(after.size(), before.size()) << "no staged file is left behind";
    EXPECT_EQ(Version(), "102");
}

}  // namespace
