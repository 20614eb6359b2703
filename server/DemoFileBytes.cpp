#include "server/DemoFileBytes.h"

namespace {

constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr uint64_t kFnvPrime = 0x100000001b3ULL;
constexpr uint64_t kGolden = 0x9e3779b97f4a7c15ULL;
constexpr size_t kWordBytes = 8;

uint64_t NameSeed(std::string_view name) {
    uint64_t hash = kFnvOffset;
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
    }
    return hash;
}

// The n-th value of the splitmix64 sequence from seed. The sequence steps its state by a constant,
// so the n-th value needs no others: that is what lets a range start anywhere.
uint64_t SequenceWord(uint64_t seed, uint64_t n) {
    uint64_t z = seed + (n + 1) * kGolden;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

void FillDemoFileBytes(std::string_view name, uint64_t offset, char* out, size_t length) {
    const uint64_t seed = NameSeed(name);
    uint64_t word = offset / kWordBytes;
    size_t byte = static_cast<size_t>(offset % kWordBytes);
    while (length > 0) {
        const uint64_t value = SequenceWord(seed, word++);
        // Low byte first, whatever the machine's byte order, so every build makes the same file.
        for (; byte < kWordBytes && length > 0; ++byte, --length) {
            *out++ = static_cast<char>((value >> (8 * byte)) & 0xff);
        }
        byte = 0;
    }
}

std::string DemoFileBytes(std::string_view name, uint64_t offset, size_t length) {
    std::string bytes(length, '\0');
    FillDemoFileBytes(name, offset, bytes.data(), length);
    return bytes;
}
