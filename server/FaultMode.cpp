#include "server/FaultMode.h"

#include <array>
#include <utility>
#include <vector>

#include "common/Crc.h"

namespace {

using ServerEnvelope::AnswerCrc;
using ServerEnvelope::AnswerForm;

constexpr std::array<std::pair<std::string_view, FaultMode>, 11> kNames = {{
    {"none", FaultMode::None},
    {"failed-plain", FaultMode::FailedPlain},
    {"failed-with-data", FaultMode::FailedWithData},
    {"foreign-nonce", FaultMode::ForeignNonce},
    {"bad-crc", FaultMode::BadCrc},
    {"short-envelope", FaultMode::ShortEnvelope},
    {"zero-in-payload", FaultMode::ZeroInPayload},
    {"not-found", FaultMode::NotFound},
    {"redirect", FaultMode::Redirect},
    {"empty-body", FaultMode::EmptyBody},
    {"stall", FaultMode::Stall},
}};

// Client nonces are decimal, so a letter in front makes a nonce no client ever sent.
std::string ForeignNonce(std::string_view nonce) {
    return "X" + std::string(nonce);
}

// Flags that promise more than the envelope holds: the RSA block needs 132 bytes and we send
// 131, the plain CRC needs 8 and we send 7; without a CRC even the flags word is cut short.
std::string ShortEnvelope(AnswerForm form) {
    size_t total = 3;
    if (form.crc == AnswerCrc::Rsa) {
        total = kEnvelopeFlagsSize + 127;
    } else if (form.crc == AnswerCrc::Plain) {
        total = kEnvelopeFlagsSize + 3;
    }
    std::vector<uint8_t> bytes;
    AppendLittleEndian32(bytes, ServerEnvelope::FlagsOf(form));
    bytes.resize(total, 0xA5);
    return ServerEnvelope::EncodeBase64(bytes);
}

// A payload whose transmitted form holds a zero byte: scrambling turns 0xFF into 0x00.
std::string PayloadWithZero(std::string_view json, std::string_view nonce, AnswerForm form) {
    std::string payload(json);
    payload += form.scrambled ? '\xFF' : '\0';
    payload += ServerEnvelope::NonceEcho(nonce);
    return payload;
}

bool SealWithCrc(const RsaPrivateKey& key, const std::string& payload, AnswerForm form,
                 bool breakCrc, std::string& body) {
    const uint32_t crc = Crc32(payload.data(), payload.size());
    return ServerEnvelope::SealPayload(key, payload, form, breakCrc ? ~crc : crc, body);
}

}  // namespace

bool ParseFaultMode(std::string_view name, FaultMode& mode) {
    for (const auto& [text, value] : kNames) {
        if (text == name) {
            mode = value;
            return true;
        }
    }
    return false;
}

bool IsEnvelopeFault(FaultMode mode) {
    return mode == FaultMode::ForeignNonce || mode == FaultMode::BadCrc ||
           mode == FaultMode::ShortEnvelope || mode == FaultMode::ZeroInPayload;
}

bool SealFaultyAnswer(FaultMode mode, const RsaPrivateKey& key, std::string_view json,
                      std::string_view nonce, AnswerForm form, std::string& body) {
    switch (mode) {
        case FaultMode::ForeignNonce:
            return ServerEnvelope::SealAnswer(key, json, ForeignNonce(nonce), form, body);
        case FaultMode::BadCrc:
            // An answer without a CRC cannot carry a wrong one; send a plain CRC instead.
            if (form.crc == AnswerCrc::None) {
                form.crc = AnswerCrc::Plain;
            }
            return SealWithCrc(key, std::string(json) + ServerEnvelope::NonceEcho(nonce), form,
                               true, body);
        case FaultMode::ShortEnvelope:
            body = ShortEnvelope(form);
            return true;
        case FaultMode::ZeroInPayload:
            return SealWithCrc(key, PayloadWithZero(json, nonce, form), form, false, body);
        default:
            return ServerEnvelope::SealAnswer(key, json, nonce, form, body);
    }
}
