#include "api/Nonce.h"

#include <openssl/rand.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <random>

#include "platform/Clock.h"

namespace {

// Six digits after at most ten of the tick count keep the nonce within sixteen characters, and
// a fixed width keeps "12" + "345678" apart from "123" + "45678".
constexpr uint32_t kSerialModulus = 1000000;

// Drawn once per process: an observer of one run's nonces learns nothing about another's.
uint32_t DrawSerialStart() {
    uint32_t start = 0;
    if (RAND_bytes(reinterpret_cast<unsigned char*>(&start), sizeof start) != 1) {
        // Without the library's generator the system's still keeps runs apart.
        start = std::random_device{}();
    }
    return start % kSerialModulus;
}

// Every call takes its own number: two calls of one process share the serial part only a
// million calls apart, long after the tick count in front has moved on.
uint32_t NextSerial() {
    static const uint32_t start = DrawSerialStart();
    static std::atomic<uint32_t> counter{0};
    const uint32_t taken = counter.fetch_add(1, std::memory_order_relaxed) % kSerialModulus;
    return (start + taken) % kSerialModulus;
}

}  // namespace

void MakeNonce(char (&nonce)[kNonceCapacity]) {
    std::snprintf(nonce, sizeof nonce, "%u%06u", static_cast<unsigned>(platform::TickCount()),
                  static_cast<unsigned>(NextSerial()));
}
