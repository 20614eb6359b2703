#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "api/Nonce.h"
#include "platform/Clock.h"
#include "tests/support/StartTogether.h"

namespace {

// The tick count the nonce begins with: everything before its last six digits.
uint64_t TickPart(const std::string& nonce) {
    return std::stoull(nonce.substr(0, nonce.size() - 6));
}

TEST(Nonce, ThousandCallsFromEightThreadsAtOnceNeverRepeatAndKeepTheForm) {
    constexpr int kThreads = 8;
    constexpr int kPerThread = 125;
    std::vector<std::vector<std::string>> made(kThreads);
    StartTogether together(kThreads);
    const uint32_t before = platform::TickCount();
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            together.ArriveAndWait();
            for (int i = 0; i < kPerThread; ++i) {
                char nonce[kNonceCapacity];
                MakeNonce(nonce);
                made[t].push_back(nonce);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const uint32_t after = platform::TickCount();

    std::set<std::string> seen;
    for (const auto& list : made) {
        for (const std::string& nonce : list) {
            EXPECT_TRUE(seen.insert(nonce).second) << "repeated " << nonce;
            ASSERT_GT(nonce.size(), 6u) << nonce;
            EXPECT_LE(nonce.size(), kNonceMaxLength) << nonce;
            EXPECT_EQ(nonce.find_first_not_of("0123456789"), std::string::npos) << nonce;
            // The tick count wraps after about 49 days; a run across the wrap sees it fall.
            if (before <= after) {
                EXPECT_GE(TickPart(nonce), before) << nonce;
                EXPECT_LE(TickPart(nonce), after) << nonce;
            }
        }
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kPerThread));
}

}  // namespace
