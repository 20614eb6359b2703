#include "common/Sha256.h"

#include <openssl/evp.h>

#include <cctype>

namespace {

constexpr size_t kDigestBytes = 32;

char LowerHexDigit(unsigned value) {
    return "0123456789abcdef"[value & 0xF];
}

}  // namespace

std::string Sha256Hex(const void* bytes, size_t count) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes, count, digest, &length, EVP_sha256(), nullptr) != 1 ||
        length != kDigestBytes) {
        return {};
    }
    std::string text;
    text.reserve(2 * kDigestBytes);
    for (unsigned int i = 0; i < length; ++i) {
        text += LowerHexDigit(digest[i] >> 4);
        text += LowerHexDigit(digest[i]);
    }
    return text;
}

bool IsSha256Hex(std::string_view text) {
    if (text.size() != 2 * kDigestBytes) {
        return false;
    }
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

bool SameSha256(std::string_view left, std::string_view right) {
    if (!IsSha256Hex(left) || !IsSha256Hex(right)) {
        return false;
    }
    for (size_t i = 0; i < left.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(left[i])) !=
            std::tolower(static_cast<unsigned char>(right[i]))) {
            return false;
        }
    }
    return true;
}
