#pragma once

#include <cstddef>
#include <cstdint>

// Checksums shared by the client, the engine and the server.

// CRC-32 of IEEE 802.3 / zlib: reflected polynomial 0xEDB88320, initial 0xFFFFFFFF, final
// inversion.
uint32_t Crc32(const void* bytes, size_t count);

// Continues a CRC-32 over further bytes; start with crc = 0.
uint32_t Crc32Update(uint32_t crc, const void* bytes, size_t count);

// CRC-16/XMODEM: polynomial 0x1021, initial 0, no reflection, no final XOR.
uint16_t Crc16Xmodem(const void* bytes, size_t count);
