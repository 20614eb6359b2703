#include <gtest/gtest.h>

#include <tuple>

#include "server/FaultMode.h"
#include "server/RequestTarget.h"
#include "server/ServerEnvelope.h"
#include "tests/server/ServerTestSupport.h"

using ServerEnvelope::AnswerCrc;
using ServerEnvelope::AnswerForm;

namespace {

constexpr const char* kNonce = "-12345678901234";
const std::string kJson = R"({"status":"SUCCESS","name":"魔兽争霸3：冰封王座"})";

class ServerEnvelopeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadDevPrivateKey(key);
        ASSERT_GT(key.SizeInBytes(), 0u);
    }

    // The Base64 text of the envelope in what the client would send for path.
    std::string RequestEnvelopeFor(const std::string& path) const {
        return RequestTarget::PercentDecode(EscapedEnvelopeOf(client.Wrap(path, kNonce)));
    }

    RsaPrivateKey key;
    ClientSide client;
};

TEST_F(ServerEnvelopeTest, OpensWhatTheClientWrapsToTheExactQuery) {
    std::string query;
    std::string error;
    // Enough requests that some Base64 texts hold "+", "/" and "=" escapes.
    for (int softId = 0; softId < 20; ++softId) {
        const std::string path =
            "/common/orderInfoData?uuid=Ab3_x-9&softId=" + std::to_string(softId);
        ASSERT_TRUE(ServerEnvelope::OpenRequest(key, RequestEnvelopeFor(path), query, error))
            << error;
        EXPECT_EQ(query, "uuid=Ab3_x-9&softId=" + std::to_string(softId) + "&nonce=" + kNonce);
    }
    ASSERT_TRUE(ServerEnvelope::OpenRequest(key, RequestEnvelopeFor("/client/x"), query, error));
    EXPECT_EQ(query, std::string("nonce=") + kNonce);
}

TEST_F(ServerEnvelopeTest, RefusesRequestsThatAreNotSoundEnvelopes) {
    std::string query;
    std::string error;
    const std::string good = RequestEnvelopeFor("/client/getinitparams?softid=7");

    std::string tampered = good;
    tampered[tampered.size() - 6] = tampered[tampered.size() - 6] == 'A' ? 'B' : 'A';
    EXPECT_FALSE(ServerEnvelope::OpenRequest(key, tampered, query, error));
    EXPECT_FALSE(ServerEnvelope::OpenRequest(key, good.substr(0, 100), query, error));
    EXPECT_FALSE(ServerEnvelope::OpenRequest(key, "", query, error));
    EXPECT_FALSE(ServerEnvelope::OpenRequest(key, "not base64 at all!", query, error));
    // Flags without the RSA block: the rest would be read as an unprotected query.
    EXPECT_FALSE(ServerEnvelope::OpenRequest(key, "AwAAAG5vbmNlPTE=", query, error));
    EXPECT_EQ(error, "request envelope lacks its RSA block");
}

class ServerAnswerFormTest : public ServerEnvelopeTest,
                             public ::testing::WithParamInterface<std::tuple<AnswerCrc, bool>> {
  protected:
    AnswerForm Form() const { return {std::get<0>(GetParam()), std::get<1>(GetParam())}; }
};

TEST_P(ServerAnswerFormTest, ClientUnwrapsSealedAnswerToExactlyTheJson) {
    std::string body;
    ASSERT_TRUE(ServerEnvelope::SealAnswer(key, kJson, kNonce, Form(), body));
    EXPECT_EQ(client.Unwrap(body, kNonce), kJson);
    EXPECT_EQ(client.Unwrap(body, "99"), "<rejected>");
}

TEST_P(ServerAnswerFormTest, ClientRejectsEveryEnvelopeFault) {
    for (FaultMode fault : {FaultMode::ForeignNonce, FaultMode::BadCrc, FaultMode::ShortEnvelope,
                            FaultMode::ZeroInPayload}) {
        std::string body;
        ASSERT_TRUE(SealFaultyAnswer(fault, key, kJson, kNonce, Form(), body));
        EXPECT_EQ(client.Unwrap(body, kNonce), "<rejected>") << static_cast<int>(fault);
    }
}

TEST_P(ServerAnswerFormTest, RefusesToSealAnAnswerTheClientCouldNotRead) {
    const std::string wireZero = Form().scrambled ? "\xFF" : std::string(1, '\0');
    std::string body;
    EXPECT_FALSE(ServerEnvelope::SealAnswer(key, "{" + wireZero + "}", kNonce, Form(), body));
}

std::string FormName(const ::testing::TestParamInfo<std::tuple<AnswerCrc, bool>>& info) {
    const AnswerCrc crc = std::get<0>(info.param);
    const std::string kind = crc == AnswerCrc::Rsa     ? "Rsa"
                             : crc == AnswerCrc::Plain ? "Plain"
                                                       : "None";
    return kind + (std::get<1>(info.param) ? "Scrambled" : "Clear");
}

INSTANTIATE_TEST_SUITE_P(AllForms, ServerAnswerFormTest,
                         ::testing::Combine(::testing::Values(AnswerCrc::Rsa, AnswerCrc::Plain,
                                                              AnswerCrc::None),
                                            ::testing::Bool()),
                         FormName);

TEST(ServerEnvelopeShapeTest, ShortEnvelopeIsOneByteShortOfItsFlags) {
    RsaPrivateKey key;
    LoadDevPrivateKey(key);
    auto decodedSize = [&](AnswerForm form) {
        std::string body;
        SealFaultyAnswer(FaultMode::ShortEnvelope, key, kJson, kNonce, form, body);
        return body.size() / 4 * 3 - (body.ends_with("==") ? 2 : body.ends_with("=") ? 1 : 0);
    };
    EXPECT_EQ(decodedSize({AnswerCrc::Rsa, true}), 131u);
    EXPECT_EQ(decodedSize({AnswerCrc::Plain, true}), 7u);
}

}  // namespace
