#include "context/ClientId.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/Base64.h"
#include "common/Crc.h"
#include "common/RuntimeRandom.h"
#include "platform/Clock.h"

namespace {

constexpr size_t kIdBytes = 12;
constexpr size_t kIdLength = 16;
constexpr size_t kCheckedBytes = 10;

void PutLittleEndian(uint8_t* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

std::string GenerateClientId() {
    std::array<uint8_t, kIdBytes> id{};
    RuntimeSrand(platform::TickCount());
    for (int i = 0; i < 3; ++i) {
        PutLittleEndian(&id[2 * i], static_cast<uint32_t>(RuntimeRand()), 2);
    }
    PutLittleEndian(&id[6], static_cast<uint32_t>(platform::UnixTime()), 4);
    PutLittleEndian(&id[10], Crc16Xmodem(id.data(), kCheckedBytes), 2);

    std::array<char, kIdLength + 1> text{};
    Base64Encode(id.data(), id.size(), text.data());
    std::string result(text.data());
    std::replace(result.begin(), result.end(), '+', '-');
    std::replace(result.begin(), result.end(), '/', '_');
    return result;
}

bool IsValidClientId(std::string_view text) {
    if (text.size() != kIdLength) {
        return false;
    }
    std::string standard(text);
    std::replace(standard.begin(), standard.end(), '-', '+');
    std::replace(standard.begin(), standard.end(), '_', '/');
    std::array<uint8_t, Base64DecodedCapacity(kIdLength)> bytes{};
    if (Base64Decode(standard.data(), standard.size(), bytes.data()) != kIdBytes) {
        return false;
    }
    const uint16_t stored = static_cast<uint16_t>(bytes[10] | (bytes[11] << 8));
    return Crc16Xmodem(bytes.data(), kCheckedBytes) == stored;
}
