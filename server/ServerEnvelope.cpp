#include "server/ServerEnvelope.h"

#include <cstring>

#include "common/Base64.h"
#include "common/ByteScramble.h"
#include "common/Crc.h"

namespace ServerEnvelope {
namespace {

bool IsBase64Letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/';
}

// The shared decoder is lenient on purpose (it mirrors the client); requests come from anyone,
// so the server insists on canonical padded Base64 before decoding.
bool IsStrictBase64(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) {
        return false;
    }
    size_t end = text.size();
    for (int pad = 0; pad < 2 && end > 0 && text[end - 1] == '='; ++pad) {
        --end;
    }
    for (size_t i = 0; i < end; ++i) {
        if (!IsBase64Letter(text[i])) {
            return false;
        }
    }
    return true;
}

bool Fail(std::string& error, const char* reason) {
    error = reason;
    return false;
}

}  // namespace

uint32_t FlagsOf(AnswerForm form) {
    uint32_t flags = form.scrambled ? ENV_SCRAMBLED : 0;
    if (form.crc == AnswerCrc::Rsa) {
        flags |= ENV_CRC_RSA;
    } else if (form.crc == AnswerCrc::Plain) {
        flags |= ENV_CRC_PLAIN;
    }
    return flags;
}

std::string EncodeBase64(const std::vector<uint8_t>& bytes) {
    std::string text(Base64EncodedLength(bytes.size()) + 1, '\0');
    text.resize(Base64Encode(bytes.data(), bytes.size(), text.data()));
    return text;
}

bool OpenRequest(const RsaPrivateKey& key, std::string_view base64, std::string& query,
                 std::string& error) {
    if (!IsStrictBase64(base64)) {
        return Fail(error, "request is not Base64");
    }
    std::vector<uint8_t> decoded(Base64DecodedCapacity(base64.size()), 0);
    decoded.resize(Base64Decode(base64.data(), base64.size(), decoded.data()));
    if (decoded.size() < kEnvelopeFlagsSize) {
        return Fail(error, "request envelope too short");
    }
    const uint32_t flags = GetLittleEndian32(decoded.data());
    // Only the RSA form proves the sender knew the public key's counterpart in this protocol;
    // the client never sends anything else.
    if (!(flags & ENV_CRC_RSA)) {
        return Fail(error, "request envelope lacks its RSA block");
    }
    const size_t blockSize = key.SizeInBytes();
    if (blockSize == 0 || decoded.size() < kEnvelopeFlagsSize + blockSize) {
        return Fail(error, "request envelope too short");
    }
    std::vector<uint8_t> crcBytes;
    if (!key.Decrypt(&decoded[kEnvelopeFlagsSize], blockSize, crcBytes) || crcBytes.size() != 4) {
        return Fail(error, "request RSA block does not open");
    }
    const size_t queryStart = kEnvelopeFlagsSize + blockSize;
    uint8_t* text = decoded.data() + queryStart;
    const size_t length = decoded.size() - queryStart;
    if (flags & ENV_SCRAMBLED) {
        ByteScrambleAll(text, length);
    }
    if (Crc32(text, length) != GetLittleEndian32(crcBytes.data())) {
        return Fail(error, "request CRC mismatch");
    }
    if (std::memchr(text, 0, length) != nullptr) {
        return Fail(error, "request query holds a zero byte");
    }
    query.assign(reinterpret_cast<const char*>(text), length);
    return true;
}

std::string NonceEcho(std::string_view nonce) {
    return std::string(R"({"nonce":")") + std::string(nonce) + "\"}";
}

bool SealPayload(const RsaPrivateKey& key, std::string_view payload, AnswerForm form, uint32_t crc,
                 std::string& body) {
    std::vector<uint8_t> envelope;
    AppendLittleEndian32(envelope, FlagsOf(form));
    if (form.crc == AnswerCrc::Rsa) {
        std::vector<uint8_t> crcBytes;
        AppendLittleEndian32(crcBytes, crc);
        std::vector<uint8_t> block;
        if (!key.Sign(crcBytes.data(), crcBytes.size(), block)) {
            return false;
        }
        envelope.insert(envelope.end(), block.begin(), block.end());
    } else if (form.crc == AnswerCrc::Plain) {
        AppendLittleEndian32(envelope, crc);
    }
    const size_t payloadStart = envelope.size();
    envelope.insert(envelope.end(), payload.begin(), payload.end());
    if (form.scrambled) {
        ByteScrambleAll(envelope.data() + payloadStart, payload.size());
    }
    body = EncodeBase64(envelope);
    return true;
}

bool SealAnswer(const RsaPrivateKey& key, std::string_view json, std::string_view nonce,
                AnswerForm form, std::string& body) {
    const std::string payload = std::string(json) + NonceEcho(nonce);
    // A zero byte on the wire makes the client refuse the answer; better to report it here.
    const char wireZero = form.scrambled ? '\xFF' : '\0';
    if (payload.find(wireZero) != std::string::npos) {
        return false;
    }
    return SealPayload(key, payload, form, Crc32(payload.data(), payload.size()), body);
}

}  // namespace ServerEnvelope
