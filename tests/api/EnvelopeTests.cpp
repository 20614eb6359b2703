#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "api/RequestEnvelope.h"
#include "common/Base64.h"
#include "common/ByteScramble.h"
#include "common/Crc.h"
#include "tests/support/DevKeys.h"

using namespace RequestEnvelope;

namespace {

constexpr const char* kNonce = "12345678901234";
const std::string kEcho = R"({"nonce":"12345678901234"})";

std::string ToBase64(const std::vector<uint8_t>& bytes) {
    std::string text(Base64EncodedLength(bytes.size()) + 1, '\0');
    text.resize(Base64Encode(bytes.data(), bytes.size(), text.data()));
    return text;
}

// Plays the server: seals payload with the given flags.
struct AnswerForge {
    DevPrivateKey key;

    std::string Seal(const std::string& payload, uint32_t flags, uint32_t crcDelta = 0) const {
        const uint32_t crc = Crc32(payload.data(), payload.size()) + crcDelta;
        std::vector<uint8_t> out;
        AppendLittleEndian32(out, flags);
        if (flags & ENV_CRC_RSA) {
            std::vector<uint8_t> crcBytes;
            AppendLittleEndian32(crcBytes, crc);
            const auto block = key.Sign(crcBytes);
            out.insert(out.end(), block.begin(), block.end());
        } else if (flags & ENV_CRC_PLAIN) {
            AppendLittleEndian32(out, crc);
        }
        const size_t start = out.size();
        out.insert(out.end(), payload.begin(), payload.end());
        if (flags & ENV_SCRAMBLED) {
            ByteScrambleAll(out.data() + start, payload.size());
        }
        return ToBase64(out);
    }
};

class EnvelopeTest : public ::testing::Test {
  protected:
    EnvelopeTest() {
        context.baseUrl = "https://127.0.0.1:47443/";
        context.publicKeyPem = DevPublicKeyPem();
        // Every answer form the envelope knows, whatever policy this build's program keeps.
        context.requireRsaAnswers = false;
    }

    // Unwraps body; the answer text, or "<rejected>".
    std::string Open(const std::string& body, const char* nonce = kNonce) {
        char* answer = nullptr;
        size_t length = 99;
        if (!Unwrap(context, nonce, body.c_str(), body.size(), &answer, &length)) {
            EXPECT_EQ(answer, nullptr);
            return "<rejected>";
        }
        std::string text(answer, length);
        EXPECT_EQ(answer[length], '\0');
        std::free(answer);
        return text;
    }

    AppContext context;
    AnswerForge forge;
};

// Splits "prefix?v_=..." and decodes the envelope behind it.
std::vector<uint8_t> DecodeWire(const std::string& requestPath, std::string& prefix) {
    const size_t mark = requestPath.find("?v_=");
    prefix = requestPath.substr(0, mark);
    std::string text = requestPath.substr(mark + 4);
    for (const auto& [escaped, plain] : {std::pair{"%2B", "+"}, {"%3D", "="}, {"%2F", "/"}}) {
        for (size_t at; (at = text.find(escaped)) != std::string::npos;) {
            text.replace(at, 3, plain);
        }
    }
    std::vector<uint8_t> bytes(Base64DecodedCapacity(text.size()));
    bytes.resize(Base64Decode(text.data(), text.size(), bytes.data()));
    return bytes;
}

TEST_F(EnvelopeTest, WrapHidesTheQueryBehindAnRsaProtectedCrc) {
    char path[kRequestPathCapacity];
    ASSERT_TRUE(Wrap(context, "common/orderInfoData?uuid=abc&softId=140", kNonce, path));
    const std::string wire(path);
    const std::string v = wire.substr(wire.find("?v_=") + 4);
    EXPECT_EQ(v.find_first_of("+=/"), std::string::npos);
    EXPECT_EQ(wire.find("uuid"), std::string::npos);

    std::string prefix;
    const auto envelope = DecodeWire(wire, prefix);
    EXPECT_EQ(prefix, "common/orderInfoData");
    ASSERT_GT(envelope.size(), 132u);
    EXPECT_EQ(envelope[0], 7);
    EXPECT_EQ(envelope[1] | envelope[2] | envelope[3], 0);
    std::string query(envelope.begin() + 132, envelope.end());
    ByteScrambleAll(query.data(), query.size());
    EXPECT_EQ(query, "uuid=abc&softId=140&nonce=12345678901234");

    const auto crc = forge.key.Decrypt({envelope.begin() + 4, envelope.begin() + 132});
    ASSERT_EQ(crc.size(), 4u);
    const uint32_t value =
        crc[0] | crc[1] << 8 | crc[2] << 16 | static_cast<uint32_t>(crc[3]) << 24;
    EXPECT_EQ(value, Crc32(query.data(), query.size()));
}

TEST_F(EnvelopeTest, WrapWithoutQuerySendsOnlyTheNonce) {
    char path[kRequestPathCapacity];
    ASSERT_TRUE(Wrap(context, "/client/getinitparams", kNonce, path));
    std::string prefix;
    const auto envelope = DecodeWire(path, prefix);
    EXPECT_EQ(prefix, "/client/getinitparams");
    std::string query(envelope.begin() + 132, envelope.end());
    ByteScrambleAll(query.data(), query.size());
    EXPECT_EQ(query, "nonce=12345678901234");
}

TEST_F(EnvelopeTest, WrapRefusesBadPathsKeysAndOverlongAddresses) {
    char path[kRequestPathCapacity];
    EXPECT_FALSE(Wrap(context, nullptr, kNonce, path));
    EXPECT_TRUE(Wrap(context, ("/a?" + std::string(1019, 'q')).c_str(), kNonce, path));
    EXPECT_FALSE(Wrap(context, ("/a?" + std::string(1021, 'q')).c_str(), kNonce, path));
    AppContext longBase;
    longBase.publicKeyPem = context.publicKeyPem;
    longBase.baseUrl = "https://" + std::string(4000, 'h') + "/";
    EXPECT_FALSE(Wrap(longBase, ("/a?" + std::string(1000, 'q')).c_str(), kNonce, path));
    AppContext noKey;
    noKey.publicKeyPem = "-----BEGIN PUBLIC KEY-----\ngarbage\n-----END PUBLIC KEY-----";
    EXPECT_FALSE(Wrap(noKey, "/a?b=c", kNonce, path));
}

TEST_F(EnvelopeTest, EveryAnswerFormYieldsExactlyTheJson) {
    const std::string json = R"({"status":"SUCCESS","list":[{"a":1}]})";
    for (uint32_t flags = 0; flags < 8; ++flags) {
        EXPECT_EQ(Open(forge.Seal(json + kEcho, flags)), json) << "flags " << flags;
    }
}

TEST_F(EnvelopeTest, APlainFailureNeedsNoEnvelope) {
    const std::string body = R"(not base64 {"status":"FAILED","msg":"x"} at all)";
    EXPECT_EQ(Open(body), body);
}

TEST_F(EnvelopeTest, ForeignOrMissingEchoesAreRejectedUnlessThePayloadReportsAFailure) {
    const std::string foreign = R"({"nonce":"999"})";
    EXPECT_EQ(Open(forge.Seal(R"({"status":"SUCCESS"})" + foreign, ENV_CRC_RSA)), "<rejected>");
    EXPECT_EQ(Open(forge.Seal(R"({"status":"SUCCESS"})", ENV_CRC_RSA)), "<rejected>");
    EXPECT_EQ(Open(forge.Seal("no braces at all", 0)), "<rejected>");
    // The echo must open the last "{": a trailing object hides it.
    EXPECT_EQ(Open(forge.Seal(R"({"status":"SUCCESS"})" + kEcho + "{}", 0)), "<rejected>");
    const std::string failed = R"({"status":"FAILED"})";
    EXPECT_EQ(Open(forge.Seal(failed + foreign, ENV_CRC_RSA | ENV_SCRAMBLED)), failed);
}

TEST_F(EnvelopeTest, UnderTheRsaPolicyOnlyAnRsaProtectedCrcOpensAnAnswer) {
    context.requireRsaAnswers = true;
    const std::string json = R"({"status":"SUCCESS","list":[{"a":1}]})";
    for (uint32_t flags = 0; flags < 8; ++flags) {
        const std::string expected = (flags & ENV_CRC_RSA) != 0 ? json : "<rejected>";
        EXPECT_EQ(Open(forge.Seal(json + kEcho, flags)), expected) << "flags " << flags;
    }
    // The server's plain failure still reaches the caller, who takes it for a failed call.
    const std::string failed = R"({"status":"FAILED","msg":"x"})";
    EXPECT_EQ(Open(failed), failed);
}

TEST_F(EnvelopeTest, DamagedEnvelopesAreRejected) {
    const std::string payload = R"({"status":"SUCCESS"})" + kEcho;
    EXPECT_EQ(Open(forge.Seal(payload, ENV_CRC_RSA, 1)), "<rejected>");
    EXPECT_EQ(Open(forge.Seal(payload, ENV_CRC_PLAIN, 1)), "<rejected>");
    EXPECT_EQ(Open(forge.Seal(payload, ENV_CRC_PLAIN | ENV_CRC_RSA, 1)), "<rejected>");
    EXPECT_EQ(Open(""), "<rejected>");
    EXPECT_EQ(Open("AAA="), "<rejected>");  // two bytes: no room for the flags

    // Flags ask for the RSA block but the envelope decodes to 131 bytes.
    std::vector<uint8_t> shortRsa;
    AppendLittleEndian32(shortRsa, ENV_CRC_RSA);
    shortRsa.resize(131, 'x');
    EXPECT_EQ(Open(ToBase64(shortRsa)), "<rejected>");
    std::vector<uint8_t> shortPlain;
    AppendLittleEndian32(shortPlain, ENV_CRC_PLAIN);
    shortPlain.resize(7, 'x');
    EXPECT_EQ(Open(ToBase64(shortPlain)), "<rejected>");

    // An RSA block that opens to something other than four bytes.
    std::vector<uint8_t> fiveBytes;
    AppendLittleEndian32(fiveBytes, ENV_CRC_RSA);
    const auto block = forge.key.Sign({1, 2, 3, 4, 5});
    fiveBytes.insert(fiveBytes.end(), block.begin(), block.end());
    fiveBytes.insert(fiveBytes.end(), payload.begin(), payload.end());
    EXPECT_EQ(Open(ToBase64(fiveBytes)), "<rejected>");

    // A block of garbage does not open at all.
    std::vector<uint8_t> garbage;
    AppendLittleEndian32(garbage, ENV_CRC_RSA);
    garbage.resize(4 + 128, 0x5A);
    garbage.insert(garbage.end(), payload.begin(), payload.end());
    EXPECT_EQ(Open(ToBase64(garbage)), "<rejected>");
}

TEST_F(EnvelopeTest, AZeroByteInsideThePayloadIsRejected) {
    std::vector<uint8_t> bytes;
    AppendLittleEndian32(bytes, 0);
    const std::string payload = std::string(R"({"status":"SUCCESS"})") + '\0' + kEcho;
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    EXPECT_EQ(Open(ToBase64(bytes)), "<rejected>");
}

TEST_F(EnvelopeTest, HostileBodiesFailCleanly) {
    // Random bytes of many lengths: no crash, no read past the body (checked under ASan).
    uint32_t seed = 7;
    for (int n = 0; n < 600; n += 7) {
        std::string body;
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            body += static_cast<char>(seed >> 16);
        }
        Open(body);
        Open(ToBase64(std::vector<uint8_t>(body.begin(), body.end())));
    }
}

}  // namespace
