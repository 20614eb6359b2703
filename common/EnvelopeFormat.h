#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The wire format shared by the client's request envelope and the reference server.

// Flags: a little-endian 32-bit word at the start of every decoded envelope.
constexpr uint32_t ENV_SCRAMBLED = 1;  // payload bytes passed through ByteScramble
constexpr uint32_t ENV_CRC_PLAIN = 2;  // a plain CRC-32 of the payload follows the flags
constexpr uint32_t ENV_CRC_RSA = 4;    // a 128-byte RSA block holding the CRC-32 follows instead

constexpr size_t kEnvelopeFlagsSize = 4;
constexpr size_t kEnvelopeRsaBlockSize = 128;

inline void PutLittleEndian32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline void AppendLittleEndian32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline uint32_t GetLittleEndian32(const uint8_t* in) {
    return static_cast<uint32_t>(in[0]) | (static_cast<uint32_t>(in[1]) << 8) |
           (static_cast<uint32_t>(in[2]) << 16) | (static_cast<uint32_t>(in[3]) << 24);
}
