#include <gtest/gtest.h>

#include <filesystem>

#include "api/JsonAnswer.h"
#include "server/ApiHandler.h"
#include "server/RequestTarget.h"
#include "tests/server/ServerTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

constexpr const char* kNonce = "4242";
constexpr const char* kBase = "https://127.0.0.1:5555/";

class ServerApiHandlerTest : public ::testing::Test {
  protected:
    ServerApiHandlerTest() : store(data.path(), kBase) {
        LoadDevPrivateKey(key);
        std::filesystem::create_directories(data / "orders");
        WriteWholeFile(data / "catalog.json", R"({"status":"SUCCESS","url":"{BASE}files/a.zip"})");
        WriteWholeFile(data / "orders/default.json", R"({"status":"SUCCESS","who":"default"})");
        WriteWholeFile(data / "orders/Client_01.json", R"({"status":"SUCCESS","who":"own"})");
    }

    // Sends what the client would send for clientPath through the handler.
    ApiReply Call(const std::string& clientPath, ApiSettings settings = {}) const {
        const std::string requestPath = client.Wrap(clientPath, kNonce);
        const std::string path = RequestTarget::CollapseLeadingSlashes(
            "/" + requestPath.substr(0, requestPath.find('?')));
        const ApiHandler handler(key, store, settings);
        auto reply = handler.Handle(path, RequestTarget::QueryOf(requestPath));
        EXPECT_TRUE(reply.has_value()) << path;
        return reply.value_or(ApiReply{});
    }

    std::string Json(const ApiReply& reply) const { return client.Unwrap(reply.body, kNonce); }

    TempDir data;
    RsaPrivateKey key;
    DataStore store;
    ClientSide client;
};

TEST_F(ServerApiHandlerTest, AnswersTheCatalogueWithTheServersOwnBase) {
    const ApiReply reply = Call("common/gameInfoData?versionId=101&softId=3");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.query, std::string("versionId=101&softId=3&nonce=") + kNonce);
    EXPECT_EQ(Json(reply), R"({"status":"SUCCESS","url":"https://127.0.0.1:5555/files/a.zip"})");
}

TEST_F(ServerApiHandlerTest, OrdersComeFromTheClientsOwnFileOnlyForSafeExistingIds) {
    EXPECT_EQ(Json(Call("common/orderInfoData?uuid=Client_01&softId=1")),
              R"({"status":"SUCCESS","who":"own"})");
    EXPECT_EQ(Json(Call("common/orderInfoData?uuid=NoSuchClient&softId=1")),
              R"({"status":"SUCCESS","who":"default"})");
    // A traversing id must not reach catalog.json one folder up.
    EXPECT_EQ(Json(Call("common/orderInfoData?uuid=..%2Fcatalog&softId=1")),
              R"({"status":"SUCCESS","who":"default"})");
}

TEST_F(ServerApiHandlerTest, PlainFailuresForUnreadableRequestsAndMissingAnswers) {
    const ApiHandler handler(key, store, {});
    EXPECT_FALSE(handler.Handle("/common/unknown", "").has_value());
    EXPECT_EQ(handler.Handle("/client/getinitparams", "softid=1")->body,
              R"({"status":"FAILED","msg":"missing request envelope"})");
    EXPECT_EQ(handler.Handle("/client/getinitparams", "v_=%2B%2B%2B%2B")->status, 200);
    // initparams.json is absent from this data folder.
    const ApiReply missing = Call("/client/getinitparams?softid=1");
    EXPECT_EQ(missing.body, R"({"status":"FAILED","msg":"no answer file"})");
    EXPECT_EQ(Json(missing), missing.body);
}

TEST_F(ServerApiHandlerTest, TransportFaultsLeaveOnlyTheHttpExchangeToBlame) {
    const std::string path = "common/gameInfoData?versionId=101&softId=3";
    const ApiReply notFound = Call(path, {{}, FaultMode::NotFound});
    EXPECT_EQ(notFound.status, 404);
    EXPECT_NE(Json(notFound), "<rejected>");  // only the status tells it apart

    const ApiReply redirect = Call(path, {{}, FaultMode::Redirect});
    EXPECT_EQ(redirect.status, 302);
    EXPECT_EQ(redirect.location.rfind(kBase, 0), 0u);

    EXPECT_TRUE(Call(path, {{}, FaultMode::Stall}).drop);
    EXPECT_TRUE(Call(path, {{}, FaultMode::EmptyBody}).body.empty());
    EXPECT_EQ(Call(path, {{}, FaultMode::FailedPlain}).body,
              R"({"status":"FAILED","msg":"fault"})");
    EXPECT_EQ(Json(Call(path, {{}, FaultMode::BadCrc})), "<rejected>");

    // They hold even for a request the server cannot read.
    const ApiHandler handler(key, store, {{}, FaultMode::NotFound});
    EXPECT_EQ(handler.Handle("/common/gameInfoData", "")->status, 404);
}

// The published check values of "abc": its CRC-32 and its SHA-256.
constexpr const char* kAbcCrc = "352441c2";
constexpr const char* kAbcSha = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST_F(ServerApiHandlerTest, TheVersionAnswerDescribesTheFilesItServesUnlessItSaysOtherwise) {
    std::filesystem::create_directories(data / "files");
    WriteWholeFile(data / "files/abc", "abc");
    WriteWholeFile(data / "version.json", R"({"status":"SUCCESS","baseurl":"{BASE}files/","files":[
        {"name":"a","url":"abc"},
        {"name":"b","url":"/abc?v=2","crc32":"deadbeef"},
        {"name":"c","url":"elsewhere"}]})");
    Json::Value answer;
    const std::string text = Json(Call("/client/queryversion?softid=140&version=101&type=1"));
    ASSERT_TRUE(ParseJsonAnswer(text.data(), text.size(), answer)) << text;
    const Json::Value& files = answer["files"];
    EXPECT_EQ(files[0]["crc32"], kAbcCrc);
    EXPECT_EQ(files[0]["sha256"], kAbcSha);
    // What version.json writes out is served as written; the rest is still filled.
    EXPECT_EQ(files[1]["crc32"], "deadbeef");
    EXPECT_EQ(files[1]["sha256"], kAbcSha);
    // A file the server does not keep is not its to describe.
    EXPECT_FALSE(files[2].isMember("crc32") || files[2].isMember("sha256"));
}

}  // namespace
