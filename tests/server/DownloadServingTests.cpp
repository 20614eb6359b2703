#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "server/DemoFileBytes.h"
#include "tests/server/ServedDownloadClient.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"

// Downloads as a client sees them over the wire from a running kavrin-server: made-up files at
// their catalogued sizes, files on disk, ranges, refused names, the pace and parallel
// connections.
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint64_t kMiB = 1024 * 1024;
constexpr uint64_t kOddSize = 200003;
const std::string kDiskBytes = "bytes from the disk, not made up";

// A data folder of the test's own: a catalogue that asks for odd sizes and lists hostile names
// (which must stay refused even when catalogued), and one catalogued name that has a file.
class DataFolder {
  public:
    DataFolder() {
        std::filesystem::create_directories(dir_ / "files");
        WriteWholeFile(dir_ / "catalog.json", R"({"status":"SUCCESS","gameInfos":[{"packages":[
            {"url":"{BASE}files/odd.zip","size":1,"bytes":200003},
            {"url":"{BASE}files/two.zip","size":2},
            {"url":"{BASE}files/big.zip","size":16},
            {"url":"{BASE}files/empty.zip","size":3,"bytes":0},
            {"url":"{BASE}files/disk.zip","size":5},
            {"url":"{BASE}files/..%2Fcatalog.json","size":1},
            {"url":"{BASE}files/a%01b.zip","size":1}]}]})");
        WriteWholeFile(dir_ / "files" / "disk.zip", kDiskBytes);
    }

    std::vector<std::string> Options(std::vector<std::string> more = {}) const {
        more.insert(more.begin(), {"--data", dir_.path().string()});
        return more;
    }

  private:
    TempDir dir_;
};

std::string HeaderOf(const httplib::Result& result, const char* name) {
    return result ? result->get_header_value(name) : "<no answer>";
}

int StatusOf(const httplib::Result& result) {
    return result ? result->status : -1;
}

class ServedDownloadsTest : public ::testing::Test {
  protected:
    ServedDownloadsTest() : server(data.Options()), client(server.baseUrl()) {}

    DataFolder data;
    TestServer server;
    ServedDownloadClient client;
};

TEST_F(ServedDownloadsTest, MadeUpFilesComeWholeOrInRangesAtTheirCataloguedSizes) {
    const std::string whole = DemoFileBytes("odd.zip", 0, kOddSize);
    const auto all = client.Get("/files/odd.zip");
    ASSERT_EQ(StatusOf(all), 200);
    EXPECT_EQ(HeaderOf(all, "Content-Length"), std::to_string(kOddSize));
    EXPECT_EQ(HeaderOf(all, "Accept-Ranges"), "bytes");
    EXPECT_TRUE(all->body == whole);

    struct Case {
        const char* range;
        uint64_t first;
        uint64_t length;
    };
    for (const Case& c : {Case{"70001-135000", 70001, 65000}, Case{"-10", kOddSize - 10, 10},
                          Case{"199990-999999", 199990, 13}, Case{"65535-65536", 65535, 2}}) {
        const auto part = client.Get("/files/odd.zip", c.range);
        ASSERT_EQ(StatusOf(part), 206) << c.range;
        EXPECT_EQ(HeaderOf(part, "Content-Range"), "bytes " + std::to_string(c.first) + "-" +
                                                       std::to_string(c.first + c.length - 1) +
                                                       "/" + std::to_string(kOddSize))
            << c.range;
        EXPECT_EQ(HeaderOf(part, "Content-Length"), std::to_string(c.length)) << c.range;
        EXPECT_TRUE(part->body == whole.substr(c.first, c.length)) << c.range;
    }

    // Without "bytes" the catalogue's "size" counts MiB.
    const auto last = client.Get("/files/two.zip", "-3");
    ASSERT_EQ(StatusOf(last), 206);
    EXPECT_EQ(HeaderOf(last, "Content-Range"), "bytes " + std::to_string(2 * kMiB - 3) + "-" +
                                                   std::to_string(2 * kMiB - 1) + "/" +
                                                   std::to_string(2 * kMiB));
    EXPECT_EQ(last->body, DemoFileBytes("two.zip", 2 * kMiB - 3, 3));

    const auto empty = client.Get("/files/empty.zip");
    ASSERT_EQ(StatusOf(empty), 200);
    EXPECT_EQ(empty->body, "");
}

TEST_F(ServedDownloadsTest, RangesAtOrPastTheEndAreRefused) {
    for (const char* range : {"200003-", "200003-200010", "900000-900001"}) {
        const auto refused = client.Get("/files/odd.zip", range);
        EXPECT_EQ(StatusOf(refused), 416) << range;
        EXPECT_EQ(HeaderOf(refused, "Content-Range"), "bytes */200003") << range;
    }
    const auto empty = client.Get("/files/empty.zip", "0-0");
    EXPECT_EQ(StatusOf(empty), 416);
    EXPECT_EQ(HeaderOf(empty, "Content-Range"), "bytes */0");
}

TEST_F(ServedDownloadsTest, AFileOnDiskComesBeforeTheCatalogue) {
    const auto whole = client.Get("/files/disk.zip");
    ASSERT_EQ(StatusOf(whole), 200);
    EXPECT_EQ(whole->body, kDiskBytes);
    const auto part = client.Get("/files/disk.zip", "6-9");
    ASSERT_EQ(StatusOf(part), 206);
    EXPECT_EQ(HeaderOf(part, "Content-Range"), "bytes 6-9/" + std::to_string(kDiskBytes.size()));
    EXPECT_EQ(part->body, "from");
}

TEST_F(ServedDownloadsTest, UnknownAndHostileNamesAreNotFound) {
    for (const char* path : {"/files/no-such.zip", "/files/", "/files/..%2Fcatalog.json",
                             "/files/%2E%2E%2Fcatalog.json", "/files/a%01b.zip",
                             "/files/odd.zip%00", "/files/odd.zip%0A", "/files/..%5Ccatalog.json",
                             "/files/x/..%2F..%2Fcatalog.json", "/odd.zip"}) {
        const auto answer = client.Get(path);
        EXPECT_EQ(StatusOf(answer), 404) << path;
    }
}

// The demo catalogue's packages as (download name, size in bytes).
std::vector<std::pair<std::string, uint64_t>> DemoDownloads() {
    std::istringstream in(
        ReadWholeFile(std::filesystem::path(KAVRIN_SERVER_DATA_DIR) / "catalog.json"));
    Json::Value catalog;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &catalog, &errors)) << errors;
    std::vector<std::pair<std::string, uint64_t>> downloads;
    for (const Json::Value& game : catalog["gameInfos"]) {
        for (const Json::Value& package : game["packages"]) {
            const std::string url = package["url"].asString();
            downloads.emplace_back(url.substr(url.rfind('/') + 1),
                                   package["size"].asUInt64() * kMiB);
        }
    }
    return downloads;
}

TEST(ServedDemoDownloadsTest, EveryCataloguedFileEndsWhereTheCatalogueSays) {
    TestServer server;
    ServedDownloadClient client(server.baseUrl());
    const auto downloads = DemoDownloads();
    ASSERT_FALSE(downloads.empty());
    for (const auto& [name, size] : downloads) {
        const auto tail = client.Get("/files/" + name, "-4096");
        ASSERT_EQ(StatusOf(tail), 206) << name;
        EXPECT_EQ(HeaderOf(tail, "Content-Range"), "bytes " + std::to_string(size - 4096) + "-" +
                                                       std::to_string(size - 1) + "/" +
                                                       std::to_string(size))
            << name;
        EXPECT_TRUE(tail->body == DemoFileBytes(name, size - 4096, 4096)) << name;
    }
}

// Reads a range of length bytes of path on each of many connections at once, and tells for
// each when its first byte came and when it was done, in milliseconds from the start.
struct Timeline {
    std::vector<int64_t> firstByteMs;
    std::vector<int64_t> doneMs;
    std::vector<size_t> received;
};

Timeline ReadInParallel(const std::string& baseUrl, const std::string& path, size_t connections,
                        uint64_t length) {
    Timeline timeline{std::vector<int64_t>(connections), std::vector<int64_t>(connections),
                      std::vector<size_t>(connections)};
    const auto start = Clock::now();
    const auto sinceStart = [start] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    };
    std::vector<std::thread> readers;
    for (size_t i = 0; i < connections; ++i) {
        readers.emplace_back([&, i] {
            ServedDownloadClient client(baseUrl);
            const uint64_t first = i * length;
            client.Get(path, std::to_string(first) + "-" + std::to_string(first + length - 1),
                       [&](const char*, size_t size) {
                           if (timeline.received[i] == 0) {
                               timeline.firstByteMs[i] = sinceStart();
                           }
                           timeline.received[i] += size;
                           return true;
                       });
            timeline.doneMs[i] = sinceStart();
        });
    }
    for (std::thread& reader : readers) {
        reader.join();
    }
    return timeline;
}

TEST(ServedDownloadsPaceTest, ARateHoldsEachConnectionBackWithoutQueueingTheOthers) {
    const DataFolder data;
    {
        TestServer server(data.Options({"--rate", "4m"}));
        ServedDownloadClient client(server.baseUrl());
        const auto started = Clock::now();
        const auto answer = client.Get("/files/two.zip", "0-1048575");
        const auto took = Clock::now() - started;
        ASSERT_EQ(StatusOf(answer), 206);
        EXPECT_TRUE(answer->body == DemoFileBytes("two.zip", 0, kMiB));
        // 1 MiB at 4 MiB/s is due after a quarter of a second, less the last piece.
        EXPECT_GE(took, std::chrono::milliseconds(150));
    }
    // Each connection needs about two seconds at this rate. Were they queued for want of
    // workers, the later ones could not start before the first ones were done.
    TestServer server(data.Options({"--rate", "256k"}));
    constexpr size_t kConnections = 16;
    constexpr uint64_t kLength = 512 * 1024;
    const Timeline timeline =
        ReadInParallel(server.baseUrl(), "/files/big.zip", kConnections, kLength);
    for (size_t i = 0; i < kConnections; ++i) {
        EXPECT_EQ(timeline.received[i], kLength) << i;
    }
    EXPECT_LT(*std::max_element(timeline.firstByteMs.begin(), timeline.firstByteMs.end()),
              *std::min_element(timeline.doneMs.begin(), timeline.doneMs.end()));
}

TEST(ServedDownloadsPaceTest, AStoppingServerCutsASlowTransferShort) {
    const DataFolder data;
    auto server = std::make_unique<TestServer>(data.Options({"--rate", "64k"}));
    std::atomic<size_t> received{0};
    // Two MiB at this rate would take half a minute.
    std::thread reader([&, baseUrl = server->baseUrl()] {
        ServedDownloadClient client(baseUrl);
        client.Get("/files/two.zip", "", [&](const char*, size_t size) {
            received += size;
            return true;
        });
    });
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (received == 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GT(received.load(), 0u);
    server.reset();
    reader.join();
    EXPECT_LT(received.load(), 2 * kMiB);
}

}  // namespace

namespace {

// The bytes the server says it sent for a path, once its line is there.
uint64_t SentFor(const TestServer& server, const std::string& path) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        for (const std::string& line : server.Log()) {
            if (line.rfind("SENT " + path + " ", 0) == 0) {
                return std::stoull(line.substr(6 + path.size()));
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ADD_FAILURE() << "no SENT line for " << path;
    return 0;
}

TEST(ServedDownloadsSentTest, TheLogTellsWhatReallyLeftTheServerAlsoWhenTheClientGoesAway) {
    const DataFolder data;
    TestServer whole(data.Options());
    ServedDownloadClient client(whole.baseUrl());
    ASSERT_EQ(StatusOf(client.Get("/files/odd.zip")), 200);
    EXPECT_EQ(SentFor(whole, "/files/odd.zip"), kOddSize);

    TestServer paced(data.Options({"--rate", "256k"}));
    ServedDownloadClient leaving(paced.baseUrl());
    size_t received = 0;
    leaving.Get("/files/two.zip", "", [&](const char*, size_t size) {
        received += size;
        return received < 300 * 1024;
    });
    const uint64_t sent = SentFor(paced, "/files/two.zip");
    EXPECT_GE(sent, received);
    EXPECT_LT(sent, 2 * kMiB) << "the rest of the file never left";
}

}  // namespace

namespace {

// The test's own end of a server comes right after its first line: the stop must not be lost
// when it arrives before the server's listening loop has started. A lost stop hangs here.
TEST(ServerStop, AStopRightAfterTheListeningLineEndsTheServer) {
    for (int i = 0; i < 25; ++i) {
        const auto start = std::chrono::steady_clock::now();
        {
            TestServer server;
            ASSERT_FALSE(server.baseUrl().empty());
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << i;
    }
}

}  // namespace
