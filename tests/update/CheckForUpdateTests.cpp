#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "api/ApiClient.h"
#include "common/Crc.h"
#include "common/Sha256.h"
#include "common/TextConvert.h"
#include "context/WorkerJob.h"
#include "platform/ChildProcess.h"
#include "platform/Process.h"
#include "platform/ProgramStart.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"
#include "update/CheckForUpdate.h"

// The start-up version check against a kavrin-server serving a data folder of the test's own,
// with a client folder whose updater is a program that notes every start beside itself.
namespace {

namespace fs = std::filesystem;

// The updater each side has: the start-note program, whose last line tells which one ran.
std::string UpdaterProgram(const std::string& who, size_t padding = 0) {
    return ReadWholeFile(KAVRIN_START_NOTE) + std::string(padding, '#') + "\n" + who + "\n";
}

const std::string kOldUpdater = UpdaterProgram("old");
const std::string kNewUpdater = UpdaterProgram("new");

std::string CrcText(const std::string& bytes) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", Crc32(bytes.data(), bytes.size()));
    return text;
}

class CheckForUpdateTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitHttpLibrary()); }

    CheckForUpdateTest() {
        fs::copy(KAVRIN_SERVER_DATA_DIR, data, fs::copy_options::recursive);
        WriteWholeFile(data / "files/AutoUpdater", kNewUpdater);
        fs::create_directories(client);
        PutLocalUpdater(kOldUpdater);
        server = std::make_unique<TestServer>(std::vector<std::string>{"--data", data.string()});
        context.baseUrl = server->baseUrl();
        context.publicKeyPem = ProcessContext().publicKeyPem;
        context.softId = 140;
        context.version = 101;
        ComposeProgramPaths(context, AnsiToUtf16((client / "kavrin").string()));
        EXPECT_EQ(context.updaterPath, AnsiToUtf16(updater.string()));
    }

    // An updater the routine started may still be ending, and a running program's file cannot
    // be written (Linux: "text file busy", Windows: in use): the write is tried until it ends.
    void PutLocalUpdater(const std::string& bytes) {
        ASSERT_TRUE(PollUntil([&] {
            std::ofstream out(updater, std::ios::binary | std::ios::trunc);
            return out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).good();
        })) << "the local updater stayed busy";
        fs::permissions(updater, fs::perms::owner_all);
    }

    // version.json of a newer version whose one file is the updater.
    void OfferUpdater(const std::string& entryMembers,
                      const std::string& baseUrl = "{BASE}files/") {
        Offer(R"("baseurl":")" + baseUrl + R"(","files":[{"name":"AutoUpdater.exe",)" +
              entryMembers + "}]");
    }

    void Offer(const std::string& members, int version = 102) {
        WriteWholeFile(data / "version.json", R"({"status":"SUCCESS","version":)" +
                                                  std::to_string(version) + "," + members + "}");
    }

    void Run() {
        WorkerJob job{&context, nullptr};
        EXPECT_EQ(CheckForUpdate(&job), 0);
    }

    // The server's log once every request made so far is in it: a request of the test's own is
    // logged after them.
    std::vector<std::string> SettledLog() {
        char* body = nullptr;
        size_t length = 0;
        EXPECT_FALSE(ApiClient(context).Get("settle-the-log", &body, &length));
        const auto settled = [this] {
            const auto log = server->Log();
            return std::any_of(log.begin(), log.end(), [](const std::string& line) {
                return line.starts_with("GET /settle-the-log 404");
            });
        };
        EXPECT_TRUE(PollUntil(settled));
        return server->Log();
    }

    int UpdaterFetches() {
        const auto log = SettledLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& l) {
            return l.starts_with("GET /files/");
        }));
    }

    std::string StartLog() const { return ReadWholeFile(client / "started.log"); }

    // The one start the routine made, once the started updater has noted it.
    std::string AwaitedStart() {
        EXPECT_TRUE(PollUntil([this] { return StartLog().ends_with("\n"); })) << "not started";
        const std::string start = StartLog();
        fs::remove(client / "started.log");
        return start;
    }

    std::string Expected(const std::string& who) const {
        return who + " kavrin.ini " + fs::canonical(client).string() + "\n";
    }

    // A start by the routine would have come before a start made now, by the test itself.
    void ExpectNotStarted() {
        ASSERT_TRUE(fs::exists(updater));
        ASSERT_TRUE(platform::StartProgram(updater.string(), {"probe"}));
        EXPECT_TRUE(PollUntil([this] { return StartLog().find("probe") != std::string::npos; }));
        EXPECT_EQ(StartLog().find("kavrin.ini"), std::string::npos) << StartLog();
        fs::remove(client / "started.log");
    }

    void ExpectNoSideFiles() const {
        EXPECT_FALSE(fs::exists(updater.string() + "_willdel"));
        EXPECT_FALSE(fs::exists(updater.string() + "_backup"));
    }

    TempDir root;
    const fs::path data = root / "data";
    const fs::path client = root / "client";
    const fs::path updater = client / ("AutoUpdater" + Utf16ToAnsi(platform::kProgramSuffix));
    std::unique_ptr<TestServer> server;
    AppContext context;
};

TEST_F(CheckForUpdateTest, TheCurrentVersionFetchesAndStartsNothing) {
    Offer(R"("baseurl":"{BASE}files/","files":[{"name":"AutoUpdater.exe","url":"AutoUpdater"}])",
          101);
    Run();
    EXPECT_EQ(UpdaterFetches(), 0);
    ExpectNotStarted();
    EXPECT_EQ(ReadWholeFile(updater), kOldUpdater);
}

TEST_F(CheckForUpdateTest, WithoutAnUpdaterEntryTheLocalUpdaterStartsAtOnce) {
    for (const char* files :
         {R"("files":[])", R"("baseurl":"{BASE}files/")",
          R"("baseurl":"{BASE}files/","files":[{"name":"Autoupdater.exe","url":"AutoUpdater"},
             {"name":"AutoUpdater.EXE","url":"AutoUpdater"},{"name":"AutoUpdater","url":"AutoUpdater"}])"}) {
        SCOPED_TRACE(files);
        Offer(files);
        Run();
        EXPECT_EQ(AwaitedStart(), Expected("old"));
    }
    EXPECT_EQ(UpdaterFetches(), 0);
}

TEST_F(CheckForUpdateTest, AnUpdaterWithTheListedCrcIsStartedWithoutAFetch) {
    OfferUpdater(R"("url":"AutoUpdater","crc32":")" + CrcText(kOldUpdater) + "\"");
    Run();
    EXPECT_EQ(AwaitedStart(), Expected("old"));
    EXPECT_EQ(UpdaterFetches(), 0);
}

TEST_F(CheckForUpdateTest, AFailedAnswerOffersNoUpdateWhateverItCarries) {
    OfferUpdater(R"("url":"AutoUpdater","crc32":")" + CrcText(kOldUpdater) + "\"");
    // Without an envelope, a failure first and the newer version's offer behind it.
    server = std::make_unique<TestServer>(
        std::vector<std::string>{"--data", data.string(), "--fault", "failed-with-data"});
    context.baseUrl = server->baseUrl();
    Run();
    EXPECT_EQ(UpdaterFetches(), 0);
    ExpectNotStarted();
}

TEST_F(CheckForUpdateTest, ADifferentUpdaterIsReplacedByTheServedOneWhichStarts) {
    // The server fills in the served file's checksums; the url with or without its own slash.
    for (const char* url : {"AutoUpdater", "/AutoUpdater"}) {
        SCOPED_TRACE(url);
        PutLocalUpdater(kOldUpdater);
        OfferUpdater(std::string(R"("url":")") + url + "\"");
        Run();
        EXPECT_EQ(AwaitedStart(), Expected("new"));
        EXPECT_EQ(ReadWholeFile(updater), kNewUpdater);
#ifndef _WIN32
        EXPECT_EQ(fs::status(updater).permissions(), fs::perms(0755));
#endif
        ExpectNoSideFiles();
    }
    const auto log = SettledLog();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& line) {
                                return line.starts_with("GET /files/AutoUpdater 200");
                            }),
              2);
}

TEST_F(CheckForUpdateTest, ABodyThatFailsEitherChecksumLeavesTheOldUpdaterStopped) {
    const std::string wrongSha = Sha256Hex("other", 5);
    for (const std::string& checks :
         {std::string(R"("crc32":"deadbeef")"),
          R"("crc32":")" + CrcText(kNewUpdater) + R"(","sha256":")" + wrongSha + "\""}) {
        SCOPED_TRACE(checks);
        OfferUpdater(R"("url":"AutoUpdater",)" + checks);
        Run();
        EXPECT_EQ(ReadWholeFile(updater), kOldUpdater);
        ExpectNoSideFiles();
        ExpectNotStarted();
    }
    EXPECT_EQ(UpdaterFetches(), 2);
}

TEST_F(CheckForUpdateTest, AnAddressOffTheBaseServerIsNeverFetched) {
    std::string base = server->baseUrl();
    base.pop_back();  // "https://127.0.0.1:PORT"
    const std::string port = base.substr(base.rfind(':') + 1);
    for (const auto& [url, baseUrl] : std::vector<std::pair<std::string, std::string>>{
             {"AutoUpdater", ""},
             {server->baseUrl() + "files/AutoUpdater", "{BASE}files/"},
             {"//127.0.0.1:" + port + "/files/AutoUpdater", "{BASE}files/"},
             {"@localhost:" + port + "/files/AutoUpdater", base}}) {
        SCOPED_TRACE(url + " on " + baseUrl);
        OfferUpdater(R"("url":")" + url + "\"", baseUrl);
        Run();
        ExpectNotStarted();
    }
    EXPECT_EQ(UpdaterFetches(), 0);
    EXPECT_EQ(ReadWholeFile(updater), kOldUpdater);
}

TEST_F(CheckForUpdateTest, WithoutALocalUpdaterTheDownloadIsDiscarded) {
    fs::remove(updater);
    OfferUpdater(R"("url":"AutoUpdater")");
    Run();
    EXPECT_EQ(UpdaterFetches(), 1);
    EXPECT_FALSE(fs::exists(updater));
    ExpectNoSideFiles();
}

// The downloaded file is taken away after it was written and before it can take the updater's
// name: a pipe in its place lets the test read the body and remove the name while the routine
// still writes. The body outgrows the pipe, so the write cannot end before the name is gone.
TEST_F(CheckForUpdateTest, AFailedMoveOfTheNewUpdaterPutsTheOldOneBack) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no named pipe in a folder to stand in for the download";
#endif
    const std::string big = UpdaterProgram("new", 512 * 1024);
    WriteWholeFile(data / "files/AutoUpdater", big);
    OfferUpdater(R"("url":"AutoUpdater")");
    const fs::path pipe = updater.string() + "_willdel";
    auto mkfifo = platform::StartChildProcess(
        "/bin/sh", {"sh", "-c", "mkfifo \"$0\" && echo made", pipe.string()});
    ASSERT_NE(mkfifo, nullptr);
    std::string line;
    ASSERT_TRUE(mkfifo->ReadLine(line, 10000) && line == "made") << line;

    std::atomic<bool> opened{false};
    std::string received;
    std::thread reader([&] {
        std::ifstream in(pipe, std::ios::binary);
        opened = true;
        fs::remove(pipe);
        received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    Run();
    if (!opened) {
        std::ofstream release(pipe);  // the routine never wrote: let the reader go
    }
    reader.join();
    EXPECT_EQ(received, big);
    EXPECT_EQ(ReadWholeFile(updater), kOldUpdater);
    ExpectNoSideFiles();
    ExpectNotStarted();
}

}  // namespace
