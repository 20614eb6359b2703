#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "api/ApiClient.h"
#include "common/CrashReportLimit.h"
#include "server/CrashReportStore.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"

// Crash reports as the reporter sends them, through the client's own transport, to a running
// kavrin-server: what lands in its data folder and what is refused.
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// Every byte value, so that a body handled as text would show.
std::string DumpBytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    }
    return bytes;
}

std::vector<fs::path> FilesUnder(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory()) {
            files.push_back(entry.path());
        }
    }
    return files;
}

TEST(CrashReportStoreTest, StoredNamesComeFromTheTimeAndASafeCopyOfTheDumpName) {
    const auto at = sys_days{2025y / 3 / 4} + 5h + 6min + 7s + 89ms;
    EXPECT_EQ(CrashReportStore::StoredName("Client_8-4_13-5-9.dmp", at, 7),
              "20250304-050607-089-7_Client_8-4_13-5-9.dmp");
    EXPECT_EQ(CrashReportStore::StoredName("", at, 1), "20250304-050607-089-1_report.dmp");
    for (const std::string& hostile :
         std::vector<std::string>{"../../outside.dmp", "/etc/passwd", "..", "a\nb\x01\x7f.dmp",
                                  "C:\\x.dmp", std::string(300, 'n')}) {
        const std::string name = CrashReportStore::StoredName(hostile, at, 2);
        EXPECT_EQ(name.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._-"),
                  std::string::npos)
            << name;
        EXPECT_EQ(fs::path(name).filename().string(), name);
        EXPECT_LE(name.size(), 23 + CrashReportStore::kMaxNamePart) << name;
    }
}

class CrashReportUpload : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitHttpLibrary()); }
    void SetUp() override {
        fs::create_directories(data_);
        server_ = std::make_unique<TestServer>(std::vector<std::string>{"--data", data_.string()});
        context_.baseUrl = server_->baseUrl();
    }

    // Posts the bytes as the reporter does; the answer, or "<failed>".
    std::string Post(const std::string& query, const std::string& bytes) {
        std::string answer;
        const std::string path = "client/crashreport?" + query;
        return ApiClient(context_).Post(path.c_str(), bytes.data(), bytes.size(), answer)
                   ? answer
                   : "<failed>";
    }
    // The status the server logged for each crash report, in order, once there are `count`:
    // the log arrives through a pipe a moment after the answer.
    std::vector<std::string> LoggedStatuses(size_t count) const {
        std::vector<std::string> statuses;
        PollUntil([&] {
            statuses.clear();
            for (const std::string& line : server_->Log()) {
                // "POST /client/crashreport [QUERY] STATUS N bytes"
                if (line.rfind("POST /client/crashreport ", 0) == 0) {
                    const size_t tail = line.rfind(' ', line.size() - sizeof " bytes");
                    statuses.push_back(line.substr(line.rfind(' ', tail - 1) + 1, 3));
                }
            }
            return statuses.size() >= count;
        });
        return statuses;
    }
    bool Logged(const std::string& wanted) const {
        return PollUntil([&] {
            for (const std::string& line : server_->Log()) {
                if (line == wanted) {
                    return true;
                }
            }
            return false;
        });
    }

    TempDir temp_;
    const fs::path data_ = temp_ / "data";
    const fs::path crashes_ = data_ / "crashes";
    AppContext context_;
    std::unique_ptr<TestServer> server_;
};

TEST_F(CrashReportUpload, APostIsStoredByteForByteUnderTheServersNameAndLogged) {
    const std::string bytes = DumpBytes(300 * 1024 + 3);
    EXPECT_EQ(Post("softid=140&version=101&dump=Client_8-4_13-5-9.dmp", bytes),
              R"({"status":"SUCCESS"})");
    const auto files = FilesUnder(data_);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].parent_path(), crashes_);
    EXPECT_TRUE(files[0].filename().string().ends_with("_Client_8-4_13-5-9.dmp"));
    EXPECT_TRUE(ReadWholeFile(files[0]) == bytes);
    EXPECT_EQ(LoggedStatuses(1), std::vector<std::string>{"200"});
    const std::string stored = "STORED crashes/" + files[0].filename().string() + " " +
                               std::to_string(bytes.size()) + " bytes";
    EXPECT_TRUE(Logged(stored));
}

TEST_F(CrashReportUpload, HostileDumpNamesNeverLeaveTheCrashesFolder) {
    // Two reports of one name must not overwrite each other either.
    const char* names[] = {
        "..%2F..%2Fescaped.dmp", "%2Ftmp%2Fabsolute.dmp", "a%0Ab%01c.dmp", "..", "..", "%00"};
    for (const char* name : names) {
        EXPECT_EQ(Post(std::string("dump=") + name, "dump"), R"({"status":"SUCCESS"})") << name;
    }
    const auto files = FilesUnder(temp_.path());
    EXPECT_EQ(files.size(), std::size(names));
    for (const fs::path& file : files) {
        EXPECT_EQ(file.parent_path(), crashes_);
    }
}

TEST_F(CrashReportUpload, EmptyAndOversizedReportsAreRefusedAndNothingIsStored) {
    EXPECT_EQ(Post("dump=Client_1.dmp", ""), "<failed>");
    EXPECT_EQ(Post("dump=Client_2.dmp", std::string(kMaxCrashReportBytes + 1, 'x')), "<failed>");
    EXPECT_EQ(LoggedStatuses(2), (std::vector<std::string>{"400", "413"}));
    EXPECT_FALSE(fs::exists(crashes_) && !fs::is_empty(crashes_));
    // The limit itself is still a report.
    EXPECT_EQ(Post("dump=Client_3.dmp", std::string(kMaxCrashReportBytes, 'y')),
              R"({"status":"SUCCESS"})");
    EXPECT_EQ(FilesUnder(crashes_).size(), 1u);
}

}  // namespace
