#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/EnvelopeFormat.h"
#include "server/RsaPrivateKey.h"

// The server's side of the envelope around every API call: it opens what the client's request
// wrapper builds and seals answers its unwrapper accepts.
namespace ServerEnvelope {

enum class AnswerCrc { Rsa, Plain, None };

struct AnswerForm {
    AnswerCrc crc = AnswerCrc::Rsa;
    bool scrambled = true;
};

uint32_t FlagsOf(AnswerForm form);

// Opens the Base64 text of a request envelope (already freed of its percent-escapes) into the
// query text. False, with a reason in `error`, for anything that is not a well-formed envelope
// made with our public key and carrying the right CRC.
bool OpenRequest(const RsaPrivateKey& key, std::string_view base64, std::string& query,
                 std::string& error);

// The echo that proves which request an answer belongs to.
std::string NonceEcho(std::string_view nonce);

// Seals a payload (answer text with its echo already appended). The envelope carries `crc`,
// which callers other than the fault modes take from Crc32 of the payload.
bool SealPayload(const RsaPrivateKey& key, std::string_view payload, AnswerForm form, uint32_t crc,
                 std::string& body);

// The normal answer: json followed by this request's nonce echo, sealed in `form`.
bool SealAnswer(const RsaPrivateKey& key, std::string_view json, std::string_view nonce,
                AnswerForm form, std::string& body);

std::string EncodeBase64(const std::vector<uint8_t>& bytes);

}  // namespace ServerEnvelope
