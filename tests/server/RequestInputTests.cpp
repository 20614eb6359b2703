#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "server/ByteRange.h"
#include "server/DataStore.h"
#include "server/RequestTarget.h"
#include "server/ServerOptions.h"
#include "tests/support/TempDir.h"

namespace {

using Kind = ByteRange::Kind;

struct RangeCase {
    const char* header;
    uint64_t size;
    Kind kind;
    uint64_t first;
    uint64_t length;
};

TEST(ServerByteRangeTest, SingleRangesAreClampedOrRefusedAndOthersIgnored) {
    const RangeCase cases[] = {
        {"", 100, Kind::Whole, 0, 0},
        {"bytes=0-9", 100, Kind::Partial, 0, 10},
        {"bytes=90-", 100, Kind::Partial, 90, 10},
        {"bytes=90-5000", 100, Kind::Partial, 90, 10},
        {"bytes=99-99", 100, Kind::Partial, 99, 1},
        {"bytes=-10", 100, Kind::Partial, 90, 10},
        {"bytes=-500", 100, Kind::Partial, 0, 100},
        {"bytes=100-", 100, Kind::Unsatisfiable, 0, 0},
        {"bytes=-0", 100, Kind::Unsatisfiable, 0, 0},
        {"bytes=0-0", 0, Kind::Unsatisfiable, 0, 0},
        {"bytes=-5", 0, Kind::Unsatisfiable, 0, 0},
        {"bytes=9-3", 100, Kind::Whole, 0, 0},
        {"bytes=0-1,5-6", 100, Kind::Whole, 0, 0},
        {"items=0-1", 100, Kind::Whole, 0, 0},
        {"bytes=x-1", 100, Kind::Whole, 0, 0},
        {"bytes=99999999999999999999999-", 100, Kind::Whole, 0, 0},
    };
    for (const RangeCase& c : cases) {
        const ByteRange range = ParseByteRange(c.header, c.size);
        EXPECT_EQ(range.kind, c.kind) << c.header;
        if (c.kind == Kind::Partial) {
            EXPECT_EQ(range.first, c.first) << c.header;
            EXPECT_EQ(range.length, c.length) << c.header;
        }
    }
    EXPECT_EQ(ParseByteRange("bytes=90-", 100).ContentRange(100), "bytes 90-99/100");
    EXPECT_EQ(ParseByteRange("bytes=100-", 100).ContentRange(100), "bytes */100");
}

TEST(ServerRequestTargetTest, ReadsPathsAndQueriesAsTheClientWritesThem) {
    EXPECT_EQ(RequestTarget::CollapseLeadingSlashes("//client/getinitparams"),
              "/client/getinitparams");
    EXPECT_EQ(RequestTarget::CollapseLeadingSlashes("/files//a"), "/files//a");
    EXPECT_EQ(RequestTarget::CollapseLeadingSlashes("///"), "/");
    EXPECT_EQ(RequestTarget::PercentDecode("a%2Bb+c%3d%2F%zz%4"), "a+b+c=/%zz%4");
    const auto params = RequestTarget::ParseQuery("uuid=a%20b&&flag&softId=3&softId=4");
    EXPECT_EQ(RequestTarget::Find(params, "uuid"), "a b");
    EXPECT_EQ(RequestTarget::Find(params, "flag"), "");
    EXPECT_EQ(RequestTarget::Find(params, "softId"), "3");
    EXPECT_FALSE(RequestTarget::Find(params, "nonce").has_value());
    EXPECT_EQ(RequestTarget::QueryOf("/p?v_=x?y"), "v_=x?y");
}

TEST(ServerDataStoreTest, BaseSubstitutionAndSafeNames) {
    EXPECT_EQ(SubstituteBase("{BASE}a {BASE}{BASE} {BAS", "B/"), "B/a B/B/ {BAS");
    EXPECT_TRUE(IsSafeIdentifier("Ab_9-z"));
    for (const char* bad : {"", "a.b", "a/b", "..", "ab ", "ä"}) {
        EXPECT_FALSE(IsSafeIdentifier(bad)) << bad;
    }
    EXPECT_TRUE(IsSafeDownloadName("game part 1.zip"));
    for (const char* bad : {"", "..", "a/b", "a\\b", "..x", "a\nb"}) {
        EXPECT_FALSE(IsSafeDownloadName(bad)) << bad;
    }
    EXPECT_FALSE(IsSafeDownloadName(std::string("a\0b", 3)));
}

TEST(ServerDataStoreTest, DownloadsStayInsideTheFilesFolder) {
    TempDir data;
    std::filesystem::create_directories(data / "files" / "sub");
    WriteWholeFile(data / "files" / "a.zip", "x");
    WriteWholeFile(data / "secret.json", "x");
    const DataStore store(data.path(), "https://h/");
    EXPECT_TRUE(store.DownloadPath("a.zip").has_value());
    EXPECT_FALSE(store.DownloadPath("../secret.json").has_value());
    EXPECT_FALSE(store.DownloadPath("sub").has_value());
    EXPECT_FALSE(store.DownloadPath("missing.zip").has_value());
}

TEST(ServerOptionsTest, ParsesTheCommandLineAndRefusesNonsense) {
    ServerOptions options;
    std::string error;
    const char* argv[] = {"kavrin-server", "--port",  "0",     "--answer",   "plain",
                          "--no-scramble", "--fault", "stall", "--stall-ms", "250"};
    ASSERT_TRUE(ParseServerOptions(10, argv, options, error)) << error;
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.form.crc, ServerEnvelope::AnswerCrc::Plain);
    EXPECT_FALSE(options.form.scrambled);
    EXPECT_EQ(options.fault, FaultMode::Stall);
    EXPECT_EQ(options.stallMs, 250);
    EXPECT_EQ(options.rateBytesPerSecond, 0u);

    for (auto [text, rate] : {std::pair<const char*, uint64_t>{"4m", 4194304},
                              {"512k", 524288},
                              {"2G", 2147483648},
                              {"1000", 1000},
                              {"0", 0}}) {
        ServerOptions paced;
        const char* rateArgv[] = {"kavrin-server", "--rate", text};
        ASSERT_TRUE(ParseServerOptions(3, rateArgv, paced, error)) << text << ": " << error;
        EXPECT_EQ(paced.rateBytesPerSecond, rate) << text;
    }

    for (auto bad : {std::vector<const char*>{"s", "--port", "70000"},
                     {"s", "--port", "12x"},
                     {"s", "--answer", "rot13"},
                     {"s", "--fault", "nope"},
                     {"s", "--data"},
                     {"s", "--rate", ""},
                     {"s", "--rate", "m"},
                     {"s", "--rate", "4x"},
                     {"s", "--rate", "4mm"},
                     {"s", "--rate", "-1"},
                     {"s", "--rate", "4 m"},
                     {"s", "--rate", "99999999999999999999"},
                     {"s", "--rate", "17179869184g"},
                     {"s", "--verbose", "1"}}) {
        ServerOptions fresh;
        EXPECT_FALSE(ParseServerOptions(static_cast<int>(bad.size()), bad.data(), fresh, error))
            << bad[1] << " " << (bad.size() > 2 ? bad[2] : "");
    }
}

}  // namespace
