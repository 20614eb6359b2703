#include "common/Base64.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int8_t kOutside = -1;

constexpr std::array<int8_t, 256> MakeDecodeTable() {
    std::array<int8_t, 256> table{};
    for (auto& v : table) {
        v = kOutside;
    }
    for (int i = 0; i < 64; ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
    }
    return table;
}

constexpr auto kDecodeTable = MakeDecodeTable();

int8_t ValueAt(const char* text, size_t count, size_t index) {
    if (index >= count) {
        return kOutside;
    }
    return kDecodeTable[static_cast<unsigned char>(text[index])];
}

}  // namespace

size_t Base64Encode(const void* bytes, size_t count, char* text) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    size_t out = 0;
    size_t i = 0;
    for (; i + 3 <= count; i += 3) {
        uint32_t v = (p[i] << 16) | (p[i + 1] << 8) | p[i + 2];
        text[out++] = kAlphabet[(v >> 18) & 63];
        text[out++] = kAlphabet[(v >> 12) & 63];
        text[out++] = kAlphabet[(v >> 6) & 63];
        text[out++] = kAlphabet[v & 63];
    }
    const size_t rest = count - i;
    if (rest == 1) {
        uint32_t v = p[i] << 16;
        text[out++] = kAlphabet[(v >> 18) & 63];
        text[out++] = kAlphabet[(v >> 12) & 63];
        text[out++] = '=';
        text[out++] = '=';
    } else if (rest == 2) {
        uint32_t v = (p[i] << 16) | (p[i + 1] << 8);
        text[out++] = kAlphabet[(v >> 18) & 63];
        text[out++] = kAlphabet[(v >> 12) & 63];
        text[out++] = kAlphabet[(v >> 6) & 63];
        text[out++] = '=';
    }
    return out;
}

size_t Base64Decode(const char* text, size_t count, void* bytes) {
    auto* out = static_cast<unsigned char*>(bytes);
    size_t written = 0;
    for (size_t g = 0; g < count; g += 4) {
        // Characters 1 and 2 are not tested: outside the alphabet they contribute their low bits.
        const auto c1 = static_cast<uint8_t>(ValueAt(text, count, g));
        const auto c2 = static_cast<uint8_t>(ValueAt(text, count, g + 1));
        const int8_t c3 = ValueAt(text, count, g + 2);
        const int8_t c4 = ValueAt(text, count, g + 3);
        out[written++] = static_cast<unsigned char>((c1 << 2) | ((c2 >> 4) & 0x03));
        if (c3 == kOutside) {
            break;
        }
        out[written++] = static_cast<unsigned char>((c2 << 4) | (c3 >> 2));
        if (c4 == kOutside) {
            break;
        }
        out[written++] = static_cast<unsigned char>((c3 << 6) | c4);
    }
    return written;
}
