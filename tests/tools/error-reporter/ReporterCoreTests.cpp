#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "context/ClientId.h"
#include "tests/support/TempDir.h"
#include "tools/error-reporter/DumpRetention.h"
#include "tools/error-reporter/ReportArgument.h"
#include "tools/error-reporter/UploadTarget.h"

// What the reporter makes of its argument and its settings, and which dumps it keeps.
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct ArgumentCase {
    const char* argument;
    const char* settings;
    const char* dump;
};

TEST(ReportArgumentTest, SplitsAtTheFirstCommaAndKeepsWhatIsKnown) {
    const ArgumentCase cases[] = {
        {"sorvel.ini,Client_8-4_13-5-9.dmp", "sorvel.ini", "Client_8-4_13-5-9.dmp"},
        {"sorvel.ini,Client_1,2.dmp", "sorvel.ini", "Client_1,2.dmp"},
        {"Client_8-4_13-5-9.dmp", "", "Client_8-4_13-5-9.dmp"},  // no comma: a dump's name
        {"sorvel.ini", "sorvel.ini", ""},                        // no comma: something else
        {",Client_1.dmp", "", "Client_1.dmp"},
        {"sorvel.ini,", "sorvel.ini", ""},
        {",", "", ""},
        {"", "", ""},
        {"Client_.dmp", "", "Client_.dmp"},
    };
    for (const ArgumentCase& c : cases) {
        const ReportArgument parsed = ParseReportArgument(c.argument);
        EXPECT_EQ(parsed.settingsName, c.settings) << c.argument;
        EXPECT_EQ(parsed.dumpName, c.dump) << c.argument;
    }
}

TEST(ReportArgumentTest, RefusesPathsAndNamesThatAreNoDumps) {
    const ArgumentCase cases[] = {
        {"sorvel.ini,../Client_1.dmp", "sorvel.ini", ""},
        {"sorvel.ini,/tmp/Client_1.dmp", "sorvel.ini", ""},
        {"sorvel.ini,dumps/Client_1.dmp", "sorvel.ini", ""},
        {"sorvel.ini,Client_1.dmp/..", "sorvel.ini", ""},
        {"sorvel.ini,Client_1\n.dmp", "sorvel.ini", ""},
        {"sorvel.ini,Client_1.dmp.txt", "sorvel.ini", ""},
        {"sorvel.ini,client_1.dmp", "sorvel.ini", ""},
        {"sorvel.ini,notes.txt", "sorvel.ini", ""},
        {"../../etc/kavrin.ini,Client_1.dmp", "", "Client_1.dmp"},
        {"..,Client_1.dmp", "", "Client_1.dmp"},
    };
    for (const ArgumentCase& c : cases) {
        const ReportArgument parsed = ParseReportArgument(c.argument);
        EXPECT_EQ(parsed.settingsName, c.settings) << c.argument;
        EXPECT_EQ(parsed.dumpName, c.dump) << c.argument;
    }
    EXPECT_FALSE(IsDumpFileName("Client_" + std::string(300, 'x') + ".dmp"));
}

// A folder of dumps written one minute apart, oldest first, among files that are no dumps.
class DumpFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto now = fs::file_time_type::clock::now();
        for (int i = 1; i <= 6; ++i) {
            const fs::path dump = folder_ / Dump(i);
            WriteWholeFile(dump, "dump " + std::to_string(i));
            fs::last_write_time(dump, now - std::chrono::minutes(10 - i));
        }
        for (const char* other : {"notes.txt", "Client_7.txt", "Server_1.dmp", "client_8.dmp"}) {
            WriteWholeFile(folder_ / other, "keep");
            fs::last_write_time(folder_ / other, now - 1h);
        }
        fs::create_directory(folder_ / "Client_dir.dmp");
        WriteWholeFile(elsewhere_ / "Client_9.dmp", "not in the folder");
        fs::create_symlink(elsewhere_ / "Client_9.dmp", folder_ / "Client_link.dmp");
    }
    static std::string Dump(int i) { return "Client_" + std::to_string(i) + ".dmp"; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir folder_;
    TempDir elsewhere_;
};

TEST_F(DumpFolder, SixDumpsLeaveTheNewestFiveAndEverythingElseAlone) {
    EXPECT_EQ(PruneOldDumps(folder_.path(), Dump(6)), std::vector<std::string>{Dump(1)});
    EXPECT_EQ(Names(), (std::vector<std::string>{"Client_2.dmp", "Client_3.dmp", "Client_4.dmp",
                                                 "Client_5.dmp", "Client_6.dmp", "Client_7.txt",
                                                 "Client_dir.dmp", "Client_link.dmp",
                                                 "Server_1.dmp", "client_8.dmp", "notes.txt"}));
    EXPECT_TRUE(fs::exists(elsewhere_ / "Client_9.dmp"));
}

TEST_F(DumpFolder, TheCurrentDumpIsKeptEvenWhenItIsTheOldest) {
    EXPECT_EQ(PruneOldDumps(folder_.path(), Dump(1)), std::vector<std::string>{Dump(2)});
    for (int kept : {1, 3, 4, 5, 6}) {
        EXPECT_TRUE(fs::exists(folder_ / Dump(kept))) << kept;
    }
}

TEST(UploadTargetTest, OnlyAnHttpsOverrideReplacesTheBuiltInAddress) {
    TempDir program;
    const std::u16string dir = program.Wide("");
    const std::u16string client = program.Wide("kavrin.ini");
    WriteWholeFile(program / "sorvel.ini", "[report]\nurl=https://127.0.0.1:5000\n");
    WriteWholeFile(program / "plain.ini", "[report]\nurl=http://127.0.0.1:5000/\n");
    WriteWholeFile(program / "kavrin.ini",
                   "[soft]\nid=150\nversion=0\n[config]\nuuid=not a client id\n");
    const UploadTarget target = ReadUploadTarget(dir, "sorvel.ini", client, "https://built.in/");
    EXPECT_EQ(target.baseUrl, "https://127.0.0.1:5000/");
    EXPECT_EQ(target.softId, 150);
    EXPECT_EQ(target.version, 101);
    EXPECT_EQ(target.clientId, "");
    EXPECT_EQ(ReadUploadTarget(dir, "plain.ini", client, "https://built.in/").baseUrl,
              "https://built.in/");
    EXPECT_EQ(ReadUploadTarget(dir, "missing.ini", client, "https://built.in/").baseUrl,
              "https://built.in/");
    EXPECT_EQ(ReadUploadTarget(dir, "", client, "https://built.in/").baseUrl, "https://built.in/");

    const std::string id = GenerateClientId();
    WriteWholeFile(program / "kavrin.ini", "[config]\nuuid=" + id + "\n");
    EXPECT_EQ(ReadUploadTarget(dir, "sorvel.ini", client, "https://built.in/").clientId, id);

    // A system-wide install's client keeps its settings in the user's folder, not beside the
    // reporter: the ids come from there.
    TempDir user;
    WriteWholeFile(user / "kavrin.ini", "[soft]\nid=161\n");
    EXPECT_EQ(
        ReadUploadTarget(dir, "sorvel.ini", user.Wide("kavrin.ini"), "https://built.in/").softId,
        161);
}

}  // namespace
