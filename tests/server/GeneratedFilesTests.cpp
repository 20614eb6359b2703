#include <gtest/gtest.h>

#include <set>
#include <string>

#include "server/CataloguedSize.h"
#include "server/DataStore.h"
#include "server/DemoFileBytes.h"
#include "tests/support/TempDir.h"

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
constexpr const char* kFilesUrl = "https://h:1/files/";

TEST(ServerDemoFileBytesTest, AnyRangeIsTheSameSliceOfTheWholeFile) {
    constexpr size_t kSize = 3 * 65536 + 77;
    const std::string whole = DemoFileBytes("game.zip", 0, kSize);
    EXPECT_EQ(DemoFileBytes("game.zip", 0, kSize), whole);
    struct Slice {
        uint64_t first;
        size_t length;
    };
    for (const Slice& s : {Slice{0, 1}, Slice{1, 7}, Slice{5, 11}, Slice{65535, 2},
                           Slice{65536, 65536}, Slice{131071, 65600}, Slice{kSize - 3, 3}}) {
        EXPECT_EQ(DemoFileBytes("game.zip", s.first, s.length), whole.substr(s.first, s.length))
            << s.first << "+" << s.length;
    }
    // Far into a file of hundreds of GiB, without making what comes before.
    constexpr uint64_t kFar = (uint64_t{1} << 38) + 3;
    EXPECT_EQ(DemoFileBytes("game.zip", kFar + 5, 20),
              DemoFileBytes("game.zip", kFar, 25).substr(5));
    EXPECT_EQ(DemoFileBytes("game.zip", 10, 0), "");
}

TEST(ServerDemoFileBytesTest, FilesDifferByNameAndLookRandom) {
    const std::string a = DemoFileBytes("a.zip", 0, 4 * 65536);
    EXPECT_NE(DemoFileBytes("b.zip", 0, a.size()), a);
    EXPECT_NE(DemoFileBytes("a.zip ", 0, a.size()), a);
    // No repeat from one 64 KiB block to the next, and every byte value in use.
    EXPECT_NE(a.substr(0, 65536), a.substr(65536, 65536));
    EXPECT_EQ(std::set<char>(a.begin(), a.end()).size(), 256u);
}

std::string Catalogue(const std::string& packages) {
    return R"({"status":"SUCCESS","gameInfos":[{"packages":[)" + packages + "]}]}";
}

TEST(ServerCataloguedSizeTest, ExactBytesComeFirstElseTheSizeCountsMebibytes) {
    const std::string catalogue =
        Catalogue(R"({"url":"https://h:1/files/mib.zip","size":3},)"
                  R"({"url":"https://h:1/files/odd.zip","size":1,"bytes":12345},)"
                  R"({"url":"https://h:1/files/text.zip","size":2,"bytes":"12"},)"
                  R"({"url":"https://h:1/files/minus.zip","size":-1},)"
                  R"({"url":"https://h:1/files/half.zip","size":1.5},)"
                  R"({"url":"https://h:1/files/none.zip"},)"
                  R"({"url":"https://h:1/files/game%20part.zip","bytes":7},)"
                  R"({"url":"https://h:1/files/twice.zip","bytes":1},)"
                  R"({"url":"https://h:1/files/twice.zip","bytes":2},)"
                  R"({"url":"https://other:1/files/away.zip","bytes":5})");
    EXPECT_EQ(CataloguedSize(catalogue, kFilesUrl, "mib.zip"), 3 * kMiB);
    EXPECT_EQ(CataloguedSize(catalogue, kFilesUrl, "odd.zip"), 12345u);
    EXPECT_EQ(CataloguedSize(catalogue, kFilesUrl, "text.zip"), 2 * kMiB);
    EXPECT_EQ(CataloguedSize(catalogue, kFilesUrl, "game part.zip"), 7u);
    EXPECT_EQ(CataloguedSize(catalogue, kFilesUrl, "twice.zip"), 1u);
    for (const char* missing :
         {"minus.zip", "half.zip", "none.zip", "away.zip", "mib", "MIB.ZIP", "game%20part.zip"}) {
        EXPECT_FALSE(CataloguedSize(catalogue, kFilesUrl, missing).has_value()) << missing;
    }
    EXPECT_FALSE(CataloguedSize(catalogue, "https://h:2/files/", "mib.zip").has_value());
}

TEST(ServerCataloguedSizeTest, MisshapenCataloguesListNothingAndDoNotThrow) {
    for (const std::string& text :
         {std::string(""), std::string("{"), std::string("[1]"), std::string(R"({"gameInfos":7})"),
          std::string(R"({"gameInfos":[7,"x",{"packages":"none"},{"packages":[1,[],"u"]}]})"),
          Catalogue(R"({"url":7,"bytes":1})"),
          Catalogue(R"({"url":"https://h:1/files/big.zip","size":18446744073709551615})")}) {
        EXPECT_FALSE(CataloguedSize(text, kFilesUrl, "big.zip").has_value()) << text;
    }
}

TEST(ServerDataStoreTest, MadeUpDownloadsAreCataloguedUnderThisServerAndSafelyNamed) {
    TempDir data;
    WriteWholeFile(data / "catalog.json",
                   Catalogue(R"({"url":"{BASE}files/a.zip","bytes":10},)"
                             R"({"url":"{BASE}files/..%2Fcatalog.json","bytes":10},)"
                             R"({"url":"{BASE}files/sub%2Fa.zip","bytes":10},)"
                             R"({"url":"{BASE}files/a%0Ab.zip","bytes":10})"));
    const DataStore store(data.path(), "https://h:1/");
    EXPECT_EQ(store.GeneratedFileSize("a.zip"), 10u);
    for (const char* hostile : {"../catalog.json", "sub/a.zip", "a\nb.zip"}) {
        EXPECT_FALSE(store.GeneratedFileSize(hostile).has_value()) << hostile;
    }
    // The catalogue is read at each request, as the other answer files are.
    WriteWholeFile(data / "catalog.json", Catalogue(R"({"url":"{BASE}files/a.zip","bytes":11})"));
    EXPECT_EQ(store.GeneratedFileSize("a.zip"), 11u);
    std::filesystem::remove(data / "catalog.json");
    EXPECT_FALSE(store.GeneratedFileSize("a.zip").has_value());
}

}  // namespace
