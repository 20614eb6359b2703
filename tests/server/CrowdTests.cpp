#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/ServerSockets.h"
#include "tests/server/RawTlsConnection.h"
#include "tests/server/ServedDownloadClient.h"
#include "tests/server/ServerTestSupport.h"
#include "tests/support/TestServer.h"

// kavrin-server with many clients at once and with clients that misbehave: idle kept-alive
// connections, a crowd, a port that another server holds, a trickling client, oversized heads
// and bodies.
namespace {

using Clock = std::chrono::steady_clock;

// Served from the demo data's files/.
constexpr const char* kFile = "/files/AutoUpdater";

int PortOf(const std::string& baseUrl) {
    return std::stoi(baseUrl.substr(baseUrl.rfind(':') + 1));
}

class CrowdTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::IgnoreBrokenPipes(); }

    TestServer server;
};

// The old server gave each open connection one of 64 workers until its keep-alive ended, so a
// fresh client waited behind hundreds of idle ones for many seconds.
TEST_F(CrowdTest, IdleKeptAliveConnectionsDoNotHoldBackAFreshClient) {
    std::vector<std::unique_ptr<ServedDownloadClient>> idle;
    for (int i = 0; i < 200; ++i) {
        idle.push_back(std::make_unique<ServedDownloadClient>(server.baseUrl()));
        const auto answer = idle.back()->Get(kFile, "0-9");
        ASSERT_TRUE(answer) << "idle client " << i;
        ASSERT_EQ(answer->status, 206);
    }
    ServedDownloadClient fresh(server.baseUrl());
    const auto start = Clock::now();
    const auto answer = fresh.Get(kFile, "0-9");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 206);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(8));
}

// API calls the client's own envelope makes, and range downloads, from a few hundred clients at
// once: every one is answered in full.
TEST_F(CrowdTest, AFewHundredConcurrentClientsAreAllAnswered) {
    const ClientSide side;
    const std::string full = ServedDownloadClient(server.baseUrl()).Get(kFile)->body;
    ASSERT_GT(full.size(), 40u);
    std::atomic<int> sound{0};
    std::atomic<int> faults{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 300; ++i) {
        clients.emplace_back([&, i] {
            ServedDownloadClient client(server.baseUrl());
            const std::string nonce = std::to_string(1000 + i);
            const auto call = client.Get(
                "/" + side.Wrap("common/gameInfoData?versionId=101&softId=3", nonce.c_str()));
            const size_t from = static_cast<size_t>(i) % (full.size() - 20);
            const auto range =
                client.Get(kFile, std::to_string(from) + "-" + std::to_string(from + 19));
            const bool ok =
                call && call->status == 200 &&
                side.Unwrap(call->body, nonce.c_str()).find("gameInfos") != std::string::npos &&
                range && range->status == 206 && range->body == full.substr(from, 20);
            (ok ? sound : faults)++;
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
    EXPECT_EQ(faults, 0);
    EXPECT_EQ(sound, 300);
}

// A second server used to bind the same port beside the first and take a share of its clients.
TEST_F(CrowdTest, ASecondServerOnATakenPortFailsWithAClearMessage) {
    const std::string port = std::to_string(PortOf(server.baseUrl()));
    auto second =
        platform::StartChildProcess(KAVRIN_SERVER_BINARY, {KAVRIN_SERVER_BINARY, "--port", port});
    ASSERT_TRUE(second);
    std::string output;
    for (std::string line; second->ReadLine(line, 15000);) {
        output += line + "\n";
    }
    EXPECT_NE(output.find("port " + port + " is already in use"), std::string::npos) << output;
    EXPECT_EQ(output.find("listening"), std::string::npos) << output;
    EXPECT_NE(second->Terminate(), 0);
    const auto answer = ServedDownloadClient(server.baseUrl()).Get(kFile, "0-0");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 206);
}

// A head that arrives a byte a second never ends on its own; each byte came well within the
// wait for one read, which was all the old server bounded.
TEST_F(CrowdTest, AClientThatTricklesItsHeadIsCutOff) {
    RawTlsConnection slow(server.baseUrl());
    ASSERT_TRUE(slow.Connected());
    ASSERT_TRUE(slow.Send("GET /files/AutoUpdater HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: "));
    // The sleep is the client's own pace, not a wait for the server. Once the server has cut
    // the connection off, the next write or the one after it fails.
    bool cutOff = false;
    for (int second = 0; second < 40 && !cutOff; ++second) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        cutOff = !slow.Send("x");
    }
    EXPECT_TRUE(cutOff);
}

// A head past its budget used to end in a bare hang-up (or the library's 400), which a client
// cannot tell from a broken line.
TEST_F(CrowdTest, OversizedHeadsAndBodiesAreRefused) {
    {
        RawTlsConnection client(server.baseUrl());
        ASSERT_TRUE(client.Connected());
        std::string head = "GET /files/AutoUpdater HTTP/1.1\r\nHost: 127.0.0.1\r\n";
        // Each line is within the library's limit for one line; together they are far past
        // what any client of this server sends.
        for (int i = 0; i < 200; ++i) {
            head += "X-Filler-" + std::to_string(i) + ": " + std::string(1000, 'x') + "\r\n";
        }
        head += "\r\n";
        ASSERT_TRUE(client.Send(head));
        const std::string answer = client.ReadToEnd();
        EXPECT_TRUE(answer.starts_with("HTTP/1.1 431 Request Header Fields Too Large\r\n"))
            << answer.substr(0, 60);
        EXPECT_NE(answer.find("Connection: close"), std::string::npos) << answer.substr(0, 80);
        // One answer only: nothing of the library's own refusal follows it.
        EXPECT_EQ(answer.find("HTTP/1.1", 1), std::string::npos) << answer;
    }
    {
        // Just within the budget: served as usual.
        RawTlsConnection client(server.baseUrl());
        ASSERT_TRUE(client.Connected());
        std::string head =
            "GET /files/AutoUpdater HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
        for (int i = 0; i < 60; ++i) {
            head += "X-Filler-" + std::to_string(i) + ": " + std::string(1000, 'x') + "\r\n";
        }
        head += "\r\n";
        ASSERT_TRUE(client.Send(head));
        EXPECT_TRUE(client.ReadToEnd().starts_with("HTTP/1.1 200")) << head.size();
    }
    {
        RawTlsConnection client(server.baseUrl());
        ASSERT_TRUE(client.Connected());
        ASSERT_TRUE(
            client.Send("GET /files/AutoUpdater HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: "
                        "1000000000\r\n\r\n"));
        const std::string answer = client.ReadToEnd();
        EXPECT_TRUE(answer.starts_with("HTTP/1.1 4")) << answer.substr(0, 40);
        EXPECT_NE(answer.find("Connection: close"), std::string::npos) << answer.substr(0, 80);
    }
}

// A connection that sends part of a head and then nothing is told why it is closed.
TEST_F(CrowdTest, AHeadThatDoesNotArriveInTimeIsAnsweredWithATimeout) {
    RawTlsConnection client(server.baseUrl());
    ASSERT_TRUE(client.Connected());
    ASSERT_TRUE(client.Send("GET /files/AutoUpdater HTTP/1.1\r\nHost: 127.0.0.1\r\n"));
    const auto start = Clock::now();
    const std::string answer = client.ReadToEnd();
    EXPECT_TRUE(answer.starts_with("HTTP/1.1 408 Request Timeout\r\n")) << answer.substr(0, 60);
    EXPECT_NE(answer.find("Connection: close"), std::string::npos) << answer.substr(0, 80);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(40));
}

// The handshake's waits were cut at the ten seconds a single read may stall, half the time the
// handshake was meant to have; under a crowd the last clients spoke only after that.
TEST_F(CrowdTest, AClientThatIsSlowToStartItsHandshakeIsStillServed) {
    RawTlsConnection client(server.baseUrl(), std::chrono::seconds(12));
    ASSERT_TRUE(client.Connected());
    ASSERT_TRUE(client.Send(
        "GET /files/AutoUpdater HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n"));
    EXPECT_TRUE(client.ReadToEnd().starts_with("HTTP/1.1 200")) << "no answer";
}

}  // namespace
