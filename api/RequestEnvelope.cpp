#include "api/RequestEnvelope.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "api/RsaKey.h"
#include "common/Base64.h"
#include "common/ByteScramble.h"
#include "common/Crc.h"

namespace RequestEnvelope {
namespace {

constexpr size_t kMaxWrapKeyBytes = 256;
// Room left in the address buffer for "?v_=", the "//" a base may add and the terminator.
constexpr size_t kAddressReserve = 10;
constexpr std::string_view kEchoStart = R"({"nonce":")";

// "+", "=" and "/" would be read as query syntax by the server; they travel percent-escaped.
std::string EscapeForQuery(std::string_view base64) {
    std::string out;
    out.reserve(base64.size() + base64.size() / 8);
    for (char c : base64) {
        if (c == '+') {
            out += "%2B";
        } else if (c == '=') {
            out += "%3D";
        } else if (c == '/') {
            out += "%2F";
        } else {
            out += c;
        }
    }
    return out;
}

char* CopyToHeap(std::string_view text) {
    auto* block = static_cast<char*>(std::malloc(text.size() + 1));
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, text.data(), text.size());
    block[text.size()] = '\0';
    return block;
}

// Where the payload starts and the CRC it must carry, as the flags say. False when the decoded
// envelope is too short for its flags or its RSA block does not open to exactly four bytes.
bool ReadHeader(const AppContext& context, const std::vector<uint8_t>& decoded, uint32_t flags,
                size_t& payloadStart, uint32_t& expectedCrc) {
    if (flags & ENV_CRC_RSA) {
        if (decoded.size() < kEnvelopeFlagsSize + kEnvelopeRsaBlockSize) {
            return false;
        }
        const RsaPublicKey key(context.publicKeyPem);
        std::vector<uint8_t> crc;
        if (key.SizeInBytes() == 0 || key.SizeInBytes() > kEnvelopeRsaBlockSize ||
            !key.Recover(&decoded[kEnvelopeFlagsSize], kEnvelopeRsaBlockSize, crc) ||
            crc.size() != 4) {
            return false;
        }
        expectedCrc = GetLittleEndian32(crc.data());
        payloadStart = kEnvelopeFlagsSize + kEnvelopeRsaBlockSize;
    } else if (flags & ENV_CRC_PLAIN) {
        if (decoded.size() < kEnvelopeFlagsSize + 4) {
            return false;
        }
        expectedCrc = GetLittleEndian32(&decoded[kEnvelopeFlagsSize]);
        payloadStart = kEnvelopeFlagsSize + 4;
    } else {
        payloadStart = kEnvelopeFlagsSize;
    }
    return true;
}

// The answer ends before the payload's last "{", which must open this call's nonce echo (or a
// foreign one when the payload reports a failure).
bool SplitEcho(std::string_view payload, const char* nonce, std::string_view& json) {
    const size_t lastBrace = payload.rfind('{');
    if (lastBrace == std::string_view::npos) {
        return false;
    }
    const std::string_view tail = payload.substr(lastBrace);
    const std::string echo = std::string(kEchoStart) + nonce + "\"}";
    if (tail.find(kEchoStart) == std::string_view::npos) {
        return false;
    }
    if (tail.find(echo) == std::string_view::npos &&
        payload.find(kFailureMarker) == std::string_view::npos) {
        return false;
    }
    json = payload.substr(0, lastBrace);
    return true;
}

}  // namespace

bool Wrap(const AppContext& context, const char* path, const char* nonce,
          char (&requestPath)[kRequestPathCapacity]) {
    if (path == nullptr || nonce == nullptr || std::strlen(path) > kMaxPathLength) {
        return false;
    }
    const std::string_view fullPath(path);
    const std::string nonceParameter = std::string("nonce=") + nonce;
    const size_t question = fullPath.find('?');
    std::string prefix;
    std::string query;
    if (question != std::string_view::npos) {
        prefix = fullPath.substr(0, question);
        query = std::string(fullPath.substr(question + 1)) + "&" + nonceParameter;
    } else {
        prefix = fullPath;
        query = nonceParameter;
    }

    uint8_t crc[4];
    PutLittleEndian32(crc, Crc32(query.data(), query.size()));
    const RsaPublicKey key(context.publicKeyPem);
    std::vector<uint8_t> block;
    if (key.SizeInBytes() == 0 || key.SizeInBytes() > kMaxWrapKeyBytes ||
        !key.Encrypt(crc, sizeof crc, block)) {
        return false;
    }

    std::vector<uint8_t> envelope(kEnvelopeFlagsSize);
    PutLittleEndian32(envelope.data(), ENV_SCRAMBLED | ENV_CRC_PLAIN | ENV_CRC_RSA);
    envelope.insert(envelope.end(), block.begin(), block.end());
    const size_t queryStart = envelope.size();
    envelope.insert(envelope.end(), query.begin(), query.end());
    ByteScrambleAll(&envelope[queryStart], query.size());

    std::string base64(Base64EncodedLength(envelope.size()) + 1, '\0');
    base64.resize(Base64Encode(envelope.data(), envelope.size(), base64.data()));
    const std::string escaped = EscapeForQuery(base64);
    if (prefix.size() + context.baseUrl.size() + escaped.size() >
        kRequestPathCapacity - kAddressReserve) {
        return false;
    }
    std::snprintf(requestPath, kRequestPathCapacity, "%s?v_=%s", prefix.c_str(), escaped.c_str());
    return true;
}

bool Unwrap(const AppContext& context, const char* nonce, const char* body, size_t bodyLength,
            char** answer, size_t* length) {
    if (nonce == nullptr || body == nullptr || answer == nullptr || length == nullptr) {
        return false;
    }
    const std::string_view raw(body, bodyLength);
    if (raw.find(kFailureMarker) != std::string_view::npos) {
        const std::string_view text(body, strnlen(body, bodyLength));
        char* copy = CopyToHeap(text);
        if (copy == nullptr) {
            return false;
        }
        *answer = copy;
        *length = text.size();
        return true;
    }

    std::vector<uint8_t> decoded(Base64DecodedCapacity(bodyLength), 0);
    decoded.resize(Base64Decode(body, bodyLength, decoded.data()));
    if (decoded.size() < kEnvelopeFlagsSize) {
        return false;
    }
    const uint32_t flags = GetLittleEndian32(decoded.data());
    if (context.requireRsaAnswers && (flags & ENV_CRC_RSA) == 0) {
        return false;
    }
    size_t payloadStart = 0;
    uint32_t expectedCrc = 0;
    if (!ReadHeader(context, decoded, flags, payloadStart, expectedCrc)) {
        return false;
    }
    uint8_t* payload = decoded.data() + payloadStart;
    const size_t payloadLength = decoded.size() - payloadStart;
    if (std::memchr(payload, 0, payloadLength) != nullptr) {
        return false;
    }
    if (flags & ENV_SCRAMBLED) {
        ByteScrambleAll(payload, payloadLength);
    }
    if ((flags & (ENV_CRC_PLAIN | ENV_CRC_RSA)) && Crc32(payload, payloadLength) != expectedCrc) {
        return false;
    }
    std::string_view json;
    if (!SplitEcho(std::string_view(reinterpret_cast<const char*>(payload), payloadLength), nonce,
                   json)) {
        return false;
    }
    char* copy = CopyToHeap(json);
    if (copy == nullptr) {
        return false;
    }
    *answer = copy;
    *length = json.size();
    return true;
}

}  // namespace RequestEnvelope
