#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "api/ApiClient.h"
#include "api/InitParams.h"
#include "api/JsonAnswer.h"
#include "context/Messages.h"
#include "context/WorkerJob.h"
#include "tests/support/Poll.h"
#include "tests/support/StartTogether.h"
#include "tests/support/TestServer.h"

namespace {

constexpr const char* kInitParams = "/client/getinitparams?softid=140";
constexpr const char* kCatalog = "common/gameInfoData?versionId=101&softId=140";

class ServerCallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitHttpLibrary()); }

    void UseServer(const TestServer& server) {
        context.baseUrl = server.baseUrl();
        context.publicKeyPem = ProcessContext().publicKeyPem;
    }

    // Every form the server can answer in, whatever policy this build's program keeps.
    AppContext& AnyAnswerForm() {
        context.requireRsaAnswers = false;
        return context;
    }

    // The answer of one call, or "<failed>".
    std::string CallText(const char* path) {
        std::string text;
        return CallForText(ApiClient(context), path, text) ? text : "<failed>";
    }

    AppContext context;
};

TEST_F(ServerCallTest, EveryAnswerFormRoundTrips) {
    for (const char* form : {"rsa", "plain", "none"}) {
        for (bool scramble : {true, false}) {
            std::vector<std::string> options = {"--answer", form};
            if (!scramble) {
                options.push_back("--no-scramble");
            }
            TestServer server(options);
            UseServer(server);
            AnyAnswerForm();
            SCOPED_TRACE(std::string(form) + (scramble ? " scrambled" : " clear"));
            const std::string text = CallText(kCatalog);
            Json::Value root;
            ASSERT_TRUE(ParseJsonAnswer(text.data(), text.size(), root)) << text;
            EXPECT_TRUE(IsSuccessAnswer(root));
            EXPECT_TRUE(root["gameInfos"].isArray());
            EXPECT_EQ(text.find("nonce"), std::string::npos);
            EXPECT_TRUE(QueryInitParams(ApiClient(context), 140));
        }
    }
}

TEST_F(ServerCallTest, EachDamagedAnswerMakesTheCallFail) {
    for (const char* fault : {"foreign-nonce", "bad-crc", "short-envelope", "zero-in-payload",
                              "not-found", "redirect", "empty-body"}) {
        for (const char* form : {"rsa", "plain"}) {
            TestServer server({"--fault", fault, "--answer", form});
            UseServer(server);
            EXPECT_EQ(CallText(kInitParams), "<failed>") << fault << " " << form;
            EXPECT_FALSE(QueryInitParams(ApiClient(context), 140)) << fault;
        }
    }
}

TEST_F(ServerCallTest, UnderTheRsaPolicyOnlyRsaProtectedAnswersAreTaken) {
    for (const char* form : {"rsa", "plain", "none"}) {
        TestServer server({"--answer", form});
        UseServer(server);
        context.requireRsaAnswers = true;
        const bool rsa = std::string(form) == "rsa";
        EXPECT_EQ(CallText(kCatalog) != "<failed>", rsa) << form;
        EXPECT_EQ(QueryInitParams(ApiClient(context), 140), rsa) << form;
    }
}

// A failure travels without an envelope or with another call's nonce, so nothing it carries
// may reach a caller, even when it holds a whole answer and a second "status" that says
// otherwise.
TEST_F(ServerCallTest, EveryFailureTheServerSendsFailsTheCall) {
    for (const char* fault : {"failed-plain", "failed-with-data"}) {
        TestServer server({"--fault", fault});
        UseServer(server);
        EXPECT_EQ(CallText(kInitParams), "<failed>") << fault;
        EXPECT_EQ(CallText(kCatalog), "<failed>") << fault;
        EXPECT_FALSE(QueryInitParams(ApiClient(context), 140)) << fault;
    }
}

// Three start-up calls leave at the same moment; each answer must echo its own call's nonce.
TEST_F(ServerCallTest, CallsThatLeaveTogetherCarryDifferentNonces) {
    TestServer server;
    UseServer(server);
    const char* paths[] = {kInitParams, kCatalog,
                           "/client/queryversion?softid=140&version=101&type=1"};
    StartTogether together(static_cast<int>(std::size(paths)));
    std::atomic<int> good{0};
    std::vector<std::thread> workers;
    for (const char* path : paths) {
        workers.emplace_back([&, path] {
            together.ArriveAndWait();
            good += CallText(path) != "<failed>";
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(good.load(), 3) << "each answer echoed its own call's nonce";
    std::vector<std::string> nonces;
    ASSERT_TRUE(PollUntil([&] {
        nonces.clear();
        for (const std::string& line : server.Log()) {
            const size_t at = line.find("nonce=");
            if (at != std::string::npos) {
                const size_t end = line.find_first_not_of("0123456789", at + 6);
                nonces.push_back(line.substr(at + 6, end - (at + 6)));
            }
        }
        return nonces.size() == 3;
    }));
    EXPECT_EQ(std::set<std::string>(nonces.begin(), nonces.end()).size(), 3u)
        << nonces[0] << " " << nonces[1] << " " << nonces[2];
}

TEST_F(ServerCallTest, AServerThatStallsAndDropsTheConnectionFailsTheCall) {
    TestServer server({"--fault", "stall", "--stall-ms", "1500"});
    UseServer(server);
    EXPECT_EQ(CallText(kInitParams), "<failed>");
}

TEST_F(ServerCallTest, AnUnreachableServerFailsTheCall) {
    context.baseUrl = "https://127.0.0.1:1/";
    context.publicKeyPem = ProcessContext().publicKeyPem;
    EXPECT_EQ(CallText(kInitParams), "<failed>");
}

TEST_F(ServerCallTest, TheRawAnswerIsTracedOnStandardOutput) {
    TestServer server;
    UseServer(server);
    testing::internal::CaptureStdout();
    const std::string text = CallText(kInitParams);
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_NE(text, "<failed>");
    EXPECT_EQ(out.rfind("服务器返回的Base64数据:: \n\n", 0), 0u) << out;
    EXPECT_EQ(out.substr(out.size() - 2), "\n\n");
    EXPECT_EQ(out.find('{'), std::string::npos) << "the trace holds the raw envelope text";
}

TEST_F(ServerCallTest, GetComposesAddressesAndAcceptsOnlyStatus200) {
    TestServer server;
    UseServer(server);
    const ApiClient client(context);
    char* body = nullptr;
    size_t length = 0;
    // The base ends in "/" and the path begins with one: the server sees "//".
    ASSERT_TRUE(client.Get("/client/getinitparams", &body, &length));
    EXPECT_NE(std::string(body, length).find("FAILED"), std::string::npos)
        << "no envelope: plain failure";
    std::free(body);

    // A full address is fetched unchanged, whatever the base.
    AppContext elsewhere;
    elsewhere.baseUrl = "https://unreachable.invalid/";
    const std::string full = server.baseUrl() + "client/getinitparams";
    ASSERT_TRUE(ApiClient(elsewhere).Get(full.c_str(), &body, &length));
    std::free(body);

    body = nullptr;
    EXPECT_FALSE(client.Get("files/no-such-file.zip", &body, &length));
    EXPECT_EQ(body, nullptr);
    EXPECT_FALSE(client.Get(std::string(5200, 'a').c_str(), &body, &length));
    EXPECT_FALSE(client.Get(nullptr, &body, &length));
}

TEST_F(ServerCallTest, AnEmptyBodyIsAFetchWithoutABlockButAFailedCall) {
    TestServer server({"--fault", "empty-body"});
    UseServer(server);
    char* body = reinterpret_cast<char*>(1);
    size_t length = 99;
    ASSERT_TRUE(ApiClient(context).Get("client/getinitparams", &body, &length));
    EXPECT_EQ(body, nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(CallText(kInitParams), "<failed>");
}

TEST_F(ServerCallTest, RedirectsAndMissingPagesFail) {
    for (const char* fault : {"redirect", "not-found"}) {
        TestServer server({"--fault", fault});
        UseServer(server);
        char* body = nullptr;
        size_t length = 0;
        EXPECT_FALSE(ApiClient(context).Get("client/getinitparams", &body, &length)) << fault;
        EXPECT_EQ(body, nullptr);
    }
}

TEST_F(ServerCallTest, CallsFromSeveralThreadsRunTogether) {
    TestServer server;
    UseServer(server);
    std::atomic<int> good{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 8; ++i) {
        workers.emplace_back([&, i] {
            if (CallText(i % 2 ? kInitParams : kCatalog) != "<failed>") {
                ++good;
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(good.load(), 8);
}

TEST_F(ServerCallTest, LoadInitParamsPostsOnlyAfterASuccess) {
    AppContext& process = ProcessContext();
    process.softId = 140;
    std::atomic<int> posts{0};
    std::atomic<uint32_t> message{0};
    platform::RegisterMessageSink(4242, [&](const platform::PostedMessage& m) {
        message = m.message;
        ++posts;
    });
    process.mainWindow = 4242;
    WorkerJob job{&process, nullptr};
    {
        TestServer server({"--fault", "failed-plain"});
        process.baseUrl = server.baseUrl();
        EXPECT_EQ(LoadInitParams(&job), 0);
        EXPECT_EQ(posts.load(), 0);
    }
    {
        TestServer server;
        process.baseUrl = server.baseUrl();
        EXPECT_EQ(LoadInitParams(&job), 0);
        EXPECT_EQ(posts.load(), 1);
        EXPECT_EQ(message.load(), MSG_INIT_PARAMS_LOADED);
    }
    process.mainWindow = 0;
    platform::UnregisterMessageSink(4242);
}

}  // namespace
