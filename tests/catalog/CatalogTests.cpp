#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "api/JsonAnswer.h"
#include "catalog/CatalogLoader.h"
#include "context/Messages.h"
#include "context/WorkerJob.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"

namespace {

GameCatalog Fill(const std::string& answer) {
    GameCatalog catalog;
    FillCatalog(answer.data(), answer.size(), catalog);
    return catalog;
}

// A package object with every member, with `extra` spliced in (later members win in the parser).
std::string Package(const std::string& extra = "", const std::string& name = "Game") {
    return R"({"id":7,"version":3,"name":")" + name +
           R"(","rate":"9.6","tag":"a,,b","issueDate":"2001","developer":"Dev","supportLanguages":"zh",)"
           R"("size":"1GB","gameDetailPage":"cs.gif","gameCoverPage":"cs.jpg","label":"1","type":2,)"
           R"("packages":[{"name":"f1","sizeStr":"1 MB","size":1,"extension":".zip","url":"u1"},)"
           R"({"name":"f2","sizeStr":"2 MB","size":2,"extension":".zip","url":"u2"}])" +
           extra + "}";
}

std::string Answer(const std::string& packages) {
    return R"({"status":"SUCCESS","gameInfos":[)" + packages + "]}";
}

TEST(FillCatalog, ReadsEveryMemberInServerOrder) {
    const GameCatalog catalog =
        Fill(Answer(Package("", "魔兽争霸3：冰封王座") + "," + Package("", "B")));
    ASSERT_EQ(catalog.size(), 2u);
    const GamePackage& p = catalog[0];
    EXPECT_EQ(p.name, u"魔兽争霸3：冰封王座");
    EXPECT_EQ(p.id, 7);
    EXPECT_EQ(p.version, 3);
    EXPECT_EQ(p.type, 2);
    EXPECT_EQ(p.tag, u"a,,b");
    EXPECT_EQ(p.gameCoverPage, u"cs.jpg");
    ASSERT_EQ(p.files.size(), 2u);
    EXPECT_EQ(p.files[1].name, u"f2");
    EXPECT_EQ(p.files[1].size, 2);
    EXPECT_EQ(p.files[1].status, Idle);
    EXPECT_EQ(p.files[1].type, 0);
    EXPECT_TRUE(p.files[1].img.empty());
    EXPECT_EQ(catalog[1].name, u"B");
}

TEST(FillCatalog, AbsentArraysAndNumbersHaveTheirDefaults) {
    EXPECT_TRUE(Fill(R"({"status":"SUCCESS"})").empty());
    EXPECT_TRUE(Fill(Answer("")).empty());
    const std::string bare =
        R"({"name":"n","rate":"r","tag":"","issueDate":"","developer":"","supportLanguages":"",)"
        R"("size":"","gameDetailPage":"","gameCoverPage":"","label":""})";
    const GameCatalog catalog = Fill(Answer(bare));
    ASSERT_EQ(catalog.size(), 1u);
    EXPECT_EQ(catalog[0].id, 0);
    EXPECT_EQ(catalog[0].version, 0);
    EXPECT_EQ(catalog[0].type, 0);
    EXPECT_TRUE(catalog[0].files.empty());
}

TEST(FillCatalog, OnlyTheSingleCharacterOneMarksALibraryPackage) {
    for (const char* label : {"1 ", "01", "true", "", " 1"}) {
        EXPECT_FALSE(
            Fill(Answer(Package(std::string(R"(,"label":")") + label + "\"")))[0].InLibrary())
            << label;
    }
    EXPECT_TRUE(Fill(Answer(Package()))[0].InLibrary());
}

TEST(FillCatalog, UnreadableAnswersGiveAnEmptyCatalogue) {
    for (const std::string answer : {"", "not json", "[1,2]", R"({"gameInfos":{}})",
                                     R"({"gameInfos":"x"})", R"({"gameInfos":[)", "{} trailing"}) {
        EXPECT_TRUE(Fill(answer).empty()) << answer;
    }
    EXPECT_TRUE(Fill(std::string(100000, '[')).empty());
}

TEST(FillCatalog, AMalformedPackageOrFileIsSkippedAndTheRestKept) {
    const std::string bad[] = {
        R"(,"name":5)",      R"(,"rate":null)",   R"(,"id":"7")",      R"(,"type":4294967296)",
        R"(,"version":1.5)", R"(,"packages":{})", R"(,"label":["1"])", R"(,"type":-2147483649)",
    };
    for (const std::string& extra : bad) {
        const GameCatalog catalog =
            Fill(Answer(Package() + "," + Package(extra) + "," + Package()));
        EXPECT_EQ(catalog.size(), 2u) << extra;
    }
    EXPECT_EQ(Fill(Answer("1,null,\"x\"," + Package())).size(), 1u);

    const std::string files =
        R"(,"packages":[{"name":"ok","sizeStr":"","size":1,"extension":"","url":"u"},)"
        R"({"name":"no url","sizeStr":"","size":1,"extension":""},7,)"
        R"({"name":"big","sizeStr":"","size":99999999999,"extension":"","url":"u"}])";
    const GameCatalog catalog = Fill(Answer(Package(files)));
    ASSERT_EQ(catalog.size(), 1u);
    ASSERT_EQ(catalog[0].files.size(), 1u);
    EXPECT_EQ(catalog[0].files[0].name, u"ok");
}

class CatalogServerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitHttpLibrary()); }
    void Use(const TestServer& server) {
        context.baseUrl = server.baseUrl();
        context.publicKeyPem = ProcessContext().publicKeyPem;
    }
    AppContext context;
};

TEST_F(CatalogServerTest, TheDemoCatalogueLoadsWhole) {
    TestServer server;
    Use(server);
    GameCatalog catalog;
    ASSERT_TRUE(FetchCatalog(ApiClient(context), 140, catalog));

    Json::Value demo;
    const std::string text = ReadWholeFile(std::string(KAVRIN_DEMO_DATA) + "/catalog.json");
    ASSERT_TRUE(ParseJsonAnswer(text.data(), text.size(), demo));
    ASSERT_EQ(catalog.size(), demo["gameInfos"].size());
    for (Json::ArrayIndex i = 0; i < demo["gameInfos"].size(); ++i) {
        EXPECT_EQ(catalog[i].files.size(), demo["gameInfos"][i]["packages"].size());
        EXPECT_EQ(Utf16ToAnsi(catalog[i].name), demo["gameInfos"][i]["name"].asString());
        // Download addresses point at the server that answered.
        for (const DownloadRecord& file : catalog[i].files) {
            EXPECT_EQ(Utf16ToAnsi(file.url).rfind(server.baseUrl(), 0), 0u);
        }
    }
}

TEST_F(CatalogServerTest, MalformedCataloguesFromTheServerLoadWithoutHarm) {
    TempDir data;
    std::filesystem::copy(KAVRIN_DEMO_DATA, data.path(), std::filesystem::copy_options::recursive);
    WriteWholeFile(
        data / "catalog.json",
        Answer(Package() + R"(,{"name":{"x":1}},[],)" + Package(R"(,"packages":"none")") + "," +
               Package(R"(,"tag":")" + std::string(5000, ',') + "\"")));
    TestServer server({"--data", data.path().string()});
    Use(server);
    GameCatalog catalog;
    ASSERT_TRUE(FetchCatalog(ApiClient(context), 140, catalog));
    EXPECT_EQ(catalog.size(), 2u);
}

// The catalogue's files are what the player downloads: only an answer that proves it comes from
// the server for this call, and says SUCCESS, may fill it.
TEST_F(CatalogServerTest, AFailedAnswerFillsNothingWhateverItCarries) {
    {
        // Without an envelope, a failure first and the whole demo catalogue behind it.
        TestServer server({"--fault", "failed-with-data"});
        Use(server);
        GameCatalog catalog;
        EXPECT_FALSE(FetchCatalog(ApiClient(context), 140, catalog));
        EXPECT_TRUE(catalog.empty());
    }
    for (const std::string status : {"FAILED", "BUSY"}) {
        // Sealed for this very call, but not a success.
        TempDir data;
        std::filesystem::copy(KAVRIN_DEMO_DATA, data.path(),
                              std::filesystem::copy_options::recursive);
        WriteWholeFile(data / "catalog.json",
                       R"({"status":")" + status + R"(","gameInfos":[)" + Package() + "]}");
        TestServer server({"--data", data.path().string()});
        Use(server);
        GameCatalog catalog;
        EXPECT_FALSE(FetchCatalog(ApiClient(context), 140, catalog)) << status;
        EXPECT_TRUE(catalog.empty()) << status;
    }
}

TEST_F(CatalogServerTest, LoadCatalogPostsLoadedAfterASuccessAndFailedAfterAnyFailure) {
    AppContext& process = ProcessContext();
    std::atomic<int> posts{0};
    std::atomic<int> failures{0};
    std::atomic<uintptr_t> wParam{0};
    platform::RegisterMessageSink(5151, [&](const platform::PostedMessage& m) {
        if (m.message == MSG_CATALOG_LOADED) {
            wParam = m.wParam;
            ++posts;
        }
        failures += m.message == MSG_CATALOG_FAILED;
    });
    process.mainWindow = 5151;
    process.baseUrl = "https://127.0.0.1:1/";
    GameCatalog catalog;
    WorkerJob job{&process, &catalog};
    EXPECT_EQ(LoadCatalog(&job), 0);
    EXPECT_EQ(posts.load(), 0);
    EXPECT_EQ(failures.load(), 1) << "nothing behind the port: the window hears of it";
    EXPECT_TRUE(catalog.empty());
    {
        // The server's own failure is a failed call too: the page offers to try again.
        TestServer server({"--fault", "failed-plain"});
        process.baseUrl = server.baseUrl();
        LoadCatalog(&job);
        EXPECT_EQ(posts.load(), 0);
        EXPECT_EQ(failures.load(), 2);
        EXPECT_TRUE(catalog.empty());
    }
    {
        TestServer server;
        process.baseUrl = server.baseUrl();
        LoadCatalog(&job);
        EXPECT_EQ(posts.load(), 1);
        EXPECT_EQ(wParam.load(), 1u);
        EXPECT_FALSE(catalog.empty());
    }
    process.mainWindow = 0;
    platform::UnregisterMessageSink(5151);
}

}  // namespace
